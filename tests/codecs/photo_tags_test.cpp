// Photos as cameras and phones make them: upright by their orientation, converted to sRGB
// from their profile, and their metadata carried into the written files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "codecs/photo_reader.h"
#include "codecs/srgb_conversion.h"
#include "photo_tags_test.h"
#include "picture_writers.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::TempDir;

// Where upright pixel (x, y) lies in the stored picture of sw x sh, by the EXIF definition
// of each orientation (where the stored 0th row and 0th column are shown).
std::pair<int, int> storedAt(int orientation, int x, int y, int sw, int sh) {
  switch (orientation) {
    case 2:
      return {sw - 1 - x, y};
    case 3:
      return {sw - 1 - x, sh - 1 - y};
    case 4:
      return {x, sh - 1 - y};
    case 5:
      return {y, x};
    case 6:
      return {y, sh - 1 - x};
    case 7:
      return {sw - 1 - y, sh - 1 - x};
    case 8:
      return {sw - 1 - y, x};
    default:
      return {x, y};
  }
}

// The upright picture that `stored` shows with orientation.
Image shownUpright(const Image& stored, int orientation) {
  const bool swap = orientation >= 5;
  Image upright(swap ? stored.height() : stored.width(), swap ? stored.width() : stored.height());
  for (int y = 0; y < upright.height(); ++y)
    for (int x = 0; x < upright.width(); ++x) {
      const auto [sx, sy] = storedAt(orientation, x, y, stored.width(), stored.height());
      upright.setPixel(x, y, stored.pixel(sx, sy));
    }
  return upright;
}

Image readAll(PhotoReader& reader) {
  Image image(reader.width(), reader.height());
  std::vector<uint8_t*> rows;
  for (int y = 0; y < image.height(); ++y) rows.push_back(image.row(y));
  reader.readRows(rows.data(), image.height());
  return image;
}

bool samePixels(const Image& a, const Image& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::equal(a.data(), a.data() + a.sizeBytes(), b.data());
}

int largestDifference(const Image& a, const Image& b) {
  int largest = 0;
  for (size_t i = 0; i < a.sizeBytes(); ++i)
    largest = std::max(largest, std::abs(a.data()[i] - b.data()[i]));
  return largest;
}

std::vector<uint8_t> fileBytes(const std::filesystem::path& path) {
  const FileBytes bytes = readFileBytes(path);
  return {bytes.span().begin(), bytes.span().end()};
}

TEST(PhotoOrientation, EveryOrientationOfJpegTiffAndRawPreviewsStandsUpright) {
  const TempDir dir;
  const Image stored = testing::patternImage(6, 4);
  for (const std::string extension : {"jpg", "tif", "nef"}) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
      SCOPED_TRACE(extension + " orientation " + std::to_string(orientation));
      // A raw file's preview is found inside whatever surrounds it; a bare JPEG will do.
      const auto path = dir / ("o" + std::to_string(orientation) + "." + extension);
      writeImageFile(path, stored, extension == "tif" ? OutputFormat::Tiff : OutputFormat::Jpeg,
                     {100, false});
      testing::editTags(path, [&](Exiv2::Image& image) {
        image.exifData()["Exif.Image.Orientation"] = static_cast<uint16_t>(orientation);
      });
      // The pixels as stored (lossy for JPEG), which the turn must only move.
      PhotoTags tags;
      const Image asStored = loadPhoto(path, {}, PhotoOptions{false}, &tags);
      EXPECT_EQ(tags.orientation, orientation);
      if (extension == "tif") {
        EXPECT_TRUE(samePixels(asStored, stored));
      }

      const Image expected = shownUpright(asStored, orientation);
      EXPECT_TRUE(samePixels(loadPhoto(path, {}, {}), expected));
      // The batch's reader, and the size it declares before decoding.
      DecodeLimits limits;
      std::pair<int64_t, int64_t> declared;
      limits.onDeclaredSize = [&](int64_t w, int64_t h) { declared = {w, h}; };
      const auto reader = openPhotoReader(path, limits);
      EXPECT_EQ(declared.first, expected.width());
      EXPECT_EQ(declared.second, expected.height());
      EXPECT_TRUE(samePixels(readAll(*reader), expected));
      EXPECT_EQ(reader->tags().orientation, 1);
    }
  }
}

TEST(PhotoColour, TaggedPhotosConvertToSrgbLikeTificc) {
  if (std::system("command -v tificc >/dev/null 2>&1") != 0) GTEST_SKIP() << "no tificc";
  const TempDir dir;
  const std::vector<uint8_t> adobe = testing::adobeRgbProfile();
  // Saturated colours, where Adobe RGB and sRGB differ most.
  Image photo(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      photo.setPixel(x, y, {uint8_t(x * 4), uint8_t(255 - y * 5), uint8_t((x + y) % 2 ? 250 : 10)});
  for (const auto format : {OutputFormat::Tiff, OutputFormat::Jpeg}) {
    SCOPED_TRACE(formatKey(format));
    const auto path = dir / (std::string("adobe.") + formatKey(format));
    writeImageFile(path, photo, format, {95, false});
    testing::embedProfile(path, adobe);

    // tificc converts the same stored pixels, carrying the same profile, to sRGB.
    const Image asStored = loadPicture(path);
    const auto before = dir / "before.tif", after = dir / "after.tif";
    WriteTiffFile(before, asStored);
    testing::embedProfile(before, adobe);
    const std::string command =
        "tificc -t1 -b '" + before.string() + "' '" + after.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const Image reference = loadPicture(after);

    PhotoTags tags;
    const Image converted = loadPhoto(path, {}, {}, &tags);
    EXPECT_EQ(tags.iccProfile, adobe);
    EXPECT_GT(largestDifference(converted, asStored), 20);  // the conversion did something
    EXPECT_LE(largestDifference(converted, reference), 1);
    // The streamed path converts band by band to the same bytes.
    const auto reader = openPhotoReader(path);
    EXPECT_TRUE(samePixels(readAll(*reader), converted));
    // Rows (eight pixels at a time where the processor can) and single pixels agree.
    const auto conversion = SrgbConversion::forProfile(adobe);
    ASSERT_TRUE(conversion);
    Image pixelByPixel = asStored.clone();
    for (int y = 0; y < pixelByPixel.height(); ++y)
      for (int x = 0; x < pixelByPixel.width(); ++x)
        conversion->convertRows(pixelByPixel.row(y) + 3 * x, 0, 1, 1);
    EXPECT_TRUE(samePixels(pixelByPixel, converted));
  }
}

TEST(PhotoWriters, UntaggedPhotosGiveTodaysPixelsAndBytes) {
  const TempDir dir;
  const auto photo = dir / "plain.jpg";
  WriteJpegFile(photo, testing::smoothImage(40, 30), {});
  PhotoTags tags;
  const Image loaded = loadPhoto(photo, {}, {}, &tags);
  EXPECT_TRUE(tags.untagged());
  EXPECT_TRUE(samePixels(loaded, loadPicture(photo)));
  for (const auto format : {OutputFormat::Jpeg, OutputFormat::Tiff, OutputFormat::Png,
                            OutputFormat::Webp, OutputFormat::Bmp}) {
    SCOPED_TRACE(formatKey(format));
    const auto today = dir / (std::string("today.") + formatKey(format));
    const auto tagged = dir / (std::string("tagged.") + formatKey(format));
    writeImageFile(today, loaded, format, {});
    writeImageFile(tagged, loaded, format, {}, &tags);
    EXPECT_EQ(fileBytes(today), fileBytes(tagged));
  }
}

TEST(PhotoWriters, MetadataTravelsEditedWithTheFramedPhoto) {
  const TempDir dir;
  const auto photo = dir / "phone.jpg";
  WriteJpegFile(photo, testing::smoothImage(40, 30), {});
  testing::addCameraTags(photo, 6);
  testing::embedProfile(photo, testing::adobeRgbProfile());
  PhotoTags tags;
  const Image upright = loadPhoto(photo, {}, {}, &tags);
  ASSERT_EQ(upright.width(), 30);
  const Image framed = testing::smoothImage(50, 60);

  struct Case {
    OutputFormat format;
    bool keepMetadata;
    bool keepGps;
  };
  for (const Case c :
       {Case{OutputFormat::Jpeg, true, false}, Case{OutputFormat::Jpeg, true, true},
        Case{OutputFormat::Jpeg, false, false}, Case{OutputFormat::Tiff, true, false},
        Case{OutputFormat::Tiff, true, true}, Case{OutputFormat::Tiff, false, true},
        Case{OutputFormat::Webp, true, false}, Case{OutputFormat::Webp, true, true}}) {
    SCOPED_TRACE(std::string(formatKey(c.format)) + (c.keepMetadata ? " kept" : " stripped") +
                 (c.keepGps ? " with GPS" : ""));
    const auto out = dir / (std::string("framed.") + formatKey(c.format));
    JpegOptions options;
    options.keepMetadata = c.keepMetadata;
    options.keepGps = c.keepGps;
    writeImageFile(out, framed, c.format, options, &tags);
    EXPECT_EQ(loadPicture(out).width(), 50);  // still a readable picture

    const auto file = testing::readTags(out);
    const Exiv2::ExifData& exif = file->exifData();
    auto text = [&](const char* key) {
      const auto it = exif.findKey(Exiv2::ExifKey(key));
      return it == exif.end() ? std::string() : it->toString();
    };
    ASSERT_TRUE(file->iccProfileDefined());
    const std::vector<uint8_t>& srgb = srgbProfileBytes();
    EXPECT_TRUE(std::equal(srgb.begin(), srgb.end(), file->iccProfile()->pData_));
    if (!c.keepMetadata) {
      EXPECT_EQ(text("Exif.Image.Artist"), "");
      EXPECT_TRUE(file->xmpData().empty());
      continue;
    }
    EXPECT_EQ(text("Exif.Image.Artist"), "Anna Berg");
    EXPECT_EQ(text("Exif.Image.Copyright"), "(c) 2024 Anna Berg");
    EXPECT_EQ(text("Exif.Image.Model"), "Phone 12");
    EXPECT_EQ(text("Exif.Photo.DateTimeOriginal"), "2024:06:01 10:20:30");
    EXPECT_EQ(text("Exif.Image.Orientation"), "1");
    EXPECT_EQ(text("Exif.Photo.PixelXDimension"), "50");
    EXPECT_EQ(text("Exif.Photo.PixelYDimension"), "60");
    EXPECT_EQ(Exiv2::ExifThumbC(exif).copy().size_, 0);
    EXPECT_EQ(text("Exif.GPSInfo.GPSLatitude"), c.keepGps ? "59/1 20/1 0/1" : "");
    EXPECT_EQ(
        file->xmpData().findKey(Exiv2::XmpKey("Xmp.exif.GPSLatitude")) != file->xmpData().end(),
        c.keepGps);
    EXPECT_EQ(file->xmpData()["Xmp.dc.creator"].toString(), "Anna Berg");
    if (c.format != OutputFormat::Webp) {
      EXPECT_EQ(file->iptcData()["Iptc.Application2.Headline"].toString(), "Lake");
    }
  }
}

}  // namespace
}  // namespace lumabord
