// A photo's facts for the signature: read from EXIF, XMP and IPTC written here with exiv2,
// the modification day for a file without metadata, and nothing worse than missing facts
// from damaged or absent files.
#include "codecs/photo_facts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <exiv2/exiv2.hpp>
#include <functional>

#include "codecs/image_writers.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// Sets the file's modification time to noon of a day, local time.
void touch(const fs::path& path, PhotoDate day) {
  std::tm local{};
  local.tm_year = day.year - 1900;
  local.tm_mon = day.month - 1;
  local.tm_mday = day.day;
  local.tm_hour = 12;
  local.tm_isdst = -1;
  const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
  fs::last_write_time(path, std::chrono::file_clock::from_sys(when));
}

// A small JPEG with metadata written by exiv2.
fs::path taggedJpeg(const fs::path& path, const std::function<void(Exiv2::Image&)>& tag) {
  WriteJpegFile(path, Image(16, 8, Rgb{90, 120, 150}), JpegOptions{});
  auto image = Exiv2::ImageFactory::open(path.string());
  image->readMetadata();
  tag(*image);
  image->writeMetadata();
  return path;
}

TEST(PhotoFacts, ReadFromExifXmpAndIptcInThatOrder) {
  TempDir dir;
  struct Case {
    fs::path file;
    PhotoFacts expected;
  };
  const Case cases[] = {
      {taggedJpeg(dir / "IMG_0042.jpg",
                  [](Exiv2::Image& image) {
                    Exiv2::ExifData& exif = image.exifData();
                    exif["Exif.Image.DateTime"] = "2020:01:01 00:00:00";
                    exif["Exif.Photo.DateTimeOriginal"] = "2019:07:04 10:11:12";
                    exif["Exif.Image.Artist"] = "  Ann Lee ";
                    exif["Exif.Image.Copyright"] = "(c) Ann\tLee";
                    exif["Exif.Image.Make"] = "Canon";
                    exif["Exif.Image.Model"] = "Canon EOS R5";
                    image.xmpData()["Xmp.dc.creator"] = "Not Used";
                  }),
       {PhotoDate{2019, 7, 4}, "Ann Lee", "(c) Ann Lee", "Canon EOS R5", "IMG_0042"}},
      {taggedJpeg(dir / "phone.shot.jpeg",
                  [](Exiv2::Image& image) {
                    Exiv2::XmpData& xmp = image.xmpData();
                    xmp["Xmp.xmp.CreateDate"] = "2018-03-04T05:06:07";
                    xmp["Xmp.dc.creator"] = "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD";  // Иван
                    xmp["Xmp.dc.rights"] = "lang=\"x-default\" CC BY 4.0";
                    image.exifData()["Exif.Image.Make"] = "Apple";
                    image.exifData()["Exif.Image.Model"] = "iPhone 12";
                  }),
       {PhotoDate{2018, 3, 4}, "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "CC BY 4.0", "Apple iPhone 12",
        "phone.shot"}},
      {taggedJpeg(dir / "news.jpg",
                  [](Exiv2::Image& image) {
                    Exiv2::IptcData& iptc = image.iptcData();
                    iptc["Iptc.Application2.DateCreated"] = "2001-02-03";
                    iptc["Iptc.Application2.Byline"] = "Jos\xE9";  // Latin-1, not UTF-8
                    iptc["Iptc.Application2.Copyright"] = "Agency";
                    image.exifData()["Exif.Image.Make"] = "NIKON CORPORATION";
                    image.exifData()["Exif.Image.Model"] = "NIKON D850";
                  }),
       {PhotoDate{2001, 2, 3}, "Jos\xC3\xA9", "Agency", "NIKON D850", "news"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.string());
    const PhotoFacts facts = readPhotoFacts(c.file);
    ASSERT_TRUE(facts.taken.has_value());
    EXPECT_EQ(*facts.taken, *c.expected.taken);
    EXPECT_EQ(facts.artist, c.expected.artist);
    EXPECT_EQ(facts.copyright, c.expected.copyright);
    EXPECT_EQ(facts.camera, c.expected.camera);
    EXPECT_EQ(facts.file, c.expected.file);
  }
}

TEST(PhotoFacts, FilesWithoutReadableMetadataGiveTheirNameAndModificationDay) {
  TempDir dir;
  const fs::path plain = dir / "plain.bmp";
  WriteBmpFile(plain, Image(4, 4, Rgb{1, 2, 3}));
  const std::string jpeg = testing::readText(taggedJpeg(dir / "tagged.jpg", [](Exiv2::Image& i) {
    i.exifData()["Exif.Image.Artist"] = "Ann Lee";
    i.exifData()["Exif.Photo.DateTimeOriginal"] = "2019:07:04 10:11:12";
  }));
  const size_t exif = jpeg.find("Exif");
  ASSERT_NE(exif, std::string::npos);
  // The TIFF structure inside the EXIF segment overwritten with bytes that claim an IFD far
  // beyond the segment; then the same file cut off inside the segment.
  std::string damaged = jpeg;
  damaged.replace(exif + 6, 16, "II*\0\xF0\xFF\xFF\x7F\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 16);
  const fs::path broken = dir.write("broken.jpg", damaged);
  const fs::path truncated = dir.write("truncated.jpg", jpeg.substr(0, exif + 40));
  const fs::path noise = dir.write("noise.tif", std::string("II*\0\x08\0\0\0\xFF\xFF", 10));
  for (const fs::path& path : {plain, broken, truncated, noise}) {
    SCOPED_TRACE(path.string());
    touch(path, {2003, 5, 17});
    const PhotoFacts facts = readPhotoFacts(path);
    EXPECT_EQ(facts.taken, (PhotoDate{2003, 5, 17}));
    EXPECT_EQ(facts.artist, "");
    EXPECT_EQ(facts.camera, "");
    EXPECT_EQ(facts.file, path.stem().string());
  }
  const PhotoFacts missing = readPhotoFacts(dir / "gone.jpg");
  EXPECT_FALSE(missing.taken.has_value());
  EXPECT_EQ(missing.file, "gone");
}

}  // namespace
}  // namespace lumabord
