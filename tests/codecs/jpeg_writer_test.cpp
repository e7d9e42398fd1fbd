// The JPEG writer: markers of progressive and baseline files, quantisation at the quality
// extremes, round trips through the reader, and failures that leave old files alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

#include "base/error.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "support/temp_dir.h"
#include "writer_test_support.h"

namespace lumabord {
namespace {

using testing::TempDir;

// The marker codes of a file in order, entropy-coded data skipped.
std::vector<uint8_t> markers(const std::vector<uint8_t>& b) {
  std::vector<uint8_t> found;
  size_t i = 0;
  while (i + 1 < b.size()) {
    if (b[i] != 0xFF) ADD_FAILURE() << "no marker at " << i;
    if (b[i] != 0xFF) break;
    const uint8_t m = b[i + 1];
    found.push_back(m);
    if (m == 0xD8 || m == 0xD9) {
      i += 2;
      continue;
    }
    i += 2 + (size_t{b[i + 2]} << 8 | b[i + 3]);
    if (m != 0xDA) continue;
    while (i + 1 < b.size() &&
           !(b[i] == 0xFF && b[i + 1] != 0 && (b[i + 1] < 0xD0 || b[i + 1] > 0xD7)))
      ++i;
  }
  return found;
}

size_t countOf(const std::vector<uint8_t>& v, uint8_t m) {
  return static_cast<size_t>(std::count(v.begin(), v.end(), m));
}

// Every quantisation table of the file: {precision, 64 values}.
std::vector<std::pair<int, std::vector<int>>> quantTables(const std::vector<uint8_t>& b) {
  std::vector<std::pair<int, std::vector<int>>> tables;
  for (size_t i = 2; i + 4 < b.size() && b[i + 1] != 0xDA;) {
    const size_t length = size_t{b[i + 2]} << 8 | b[i + 3];
    if (b[i + 1] == 0xDB) {
      for (size_t p = i + 4; p < i + 2 + length;) {
        const int precision = b[p] >> 4;
        std::vector<int> values;
        for (int k = 0; k < 64; ++k)
          values.push_back(precision ? b[p + 1 + 2 * k] << 8 | b[p + 2 + 2 * k] : b[p + 1 + k]);
        tables.push_back({precision, values});
        p += 1 + 64 * (precision ? 2 : 1);
      }
    }
    i += 2 + length;
  }
  return tables;
}

TEST(JpegWriter, ProgressiveHasSeveralScansBaselineOne) {
  const Image image = testing::gradient(64, 48);
  const auto progressive = markers(encodeJpeg(image, {80, true, true}));
  const auto baseline = markers(encodeJpeg(image, {80, false, true}));

  for (const auto* m : {&progressive, &baseline}) {
    ASSERT_GE(m->size(), 3u);
    EXPECT_EQ((*m)[0], 0xD8);
    EXPECT_EQ((*m)[1], 0xE0);  // JFIF
    EXPECT_EQ(m->back(), 0xD9);
  }
  EXPECT_EQ(countOf(progressive, 0xC2), 1u);
  EXPECT_EQ(countOf(progressive, 0xC0), 0u);
  EXPECT_EQ(countOf(progressive, 0xDA), 10u);  // the simple progression of a colour image
  EXPECT_EQ(countOf(baseline, 0xC0), 1u);
  EXPECT_EQ(countOf(baseline, 0xC2), 0u);
  EXPECT_EQ(countOf(baseline, 0xDA), 1u);
}

TEST(JpegWriter, QualityScalesTheTablesWithBaselineForced) {
  const Image image = testing::gradient(16, 16);
  const auto best = quantTables(encodeJpeg(image, {100, false, false}));
  ASSERT_EQ(best.size(), 2u);
  for (const auto& [precision, values] : best) {
    EXPECT_EQ(precision, 0);
    for (int v : values) EXPECT_EQ(v, 1);
  }
  // Quality 1 scales the standard tables 50 times; forcing baseline caps them at 255.
  const auto worst = quantTables(encodeJpeg(image, {1, true, false}));
  ASSERT_EQ(worst.size(), 2u);
  for (const auto& [precision, values] : worst) {
    EXPECT_EQ(precision, 0);
    for (int v : values) EXPECT_EQ(v, 255);
  }
  // A stored quality outside 1..100 encodes as the nearer end.
  EXPECT_EQ(encodeJpeg(image, {250, false, false}), encodeJpeg(image, {100, false, false}));
  EXPECT_EQ(encodeJpeg(image, {-3, true, false}), encodeJpeg(image, {1, true, false}));
  // Quality 50 is the standard luminance table itself (first entries 16, 11, 12 in zigzag).
  const auto middle = quantTables(encodeJpeg(image, {50, false, false}));
  ASSERT_EQ(middle.size(), 2u);
  EXPECT_EQ(middle[0].second[0], 16);
  EXPECT_EQ(middle[0].second[1], 11);
  EXPECT_EQ(middle[0].second[2], 12);
  EXPECT_EQ(middle[1].second[0], 17);
}

int maxDifference(const Image& a, const Image& b) {
  int most = 0;
  for (size_t i = 0; i < a.sizeBytes(); ++i)
    most = std::max(most, std::abs(a.data()[i] - b.data()[i]));
  return most;
}

TEST(JpegWriter, RoundTripsThroughTheReaderAtBothQualityEnds) {
  Image smooth(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      smooth.setPixel(x, y, Rgb{static_cast<uint8_t>(6 * x), static_cast<uint8_t>(8 * y), 128});
  TempDir dir;
  for (const bool progressive : {true, false}) {
    WriteJpegFile(dir / "best.jpg", smooth, {100, progressive, true});
    const Image best = loadPicture(dir / "best.jpg");
    ASSERT_EQ(best.width(), 40);
    ASSERT_EQ(best.height(), 30);
    EXPECT_LE(maxDifference(best, smooth), 4);

    WriteJpegFile(dir / "worst.jpg", smooth, {1, progressive, true});
    const Image worst = loadPicture(dir / "worst.jpg");
    ASSERT_EQ(worst.width(), 40);
    ASSERT_EQ(worst.height(), 30);
    EXPECT_GT(maxDifference(worst, smooth), 4);
    EXPECT_LE(maxDifference(worst, smooth), 96);
  }
}

// The documented route: rows copied into red, green, blue order and compressed with the
// library's defaults, the float DCT, forced baseline and the simple progression.
std::vector<uint8_t> encodeFromRgbRows(const Image& image, int quality, bool progressive) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = static_cast<JDIMENSION>(image.width());
  cinfo.image_height = static_cast<JDIMENSION>(image.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  cinfo.dct_method = JDCT_FLOAT;
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(image.stride());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.pixel(x, y);
      row[3 * x] = c.r;
      row[3 * x + 1] = c.g;
      row[3 * x + 2] = c.b;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> bytes(out, out + size);
  std::free(out);
  jpeg_destroy_compress(&cinfo);
  return bytes;
}

TEST(JpegWriter, SameBytesAsTheRgbRouteAndSmoothingChangesNothing) {
  const Image image = testing::gradient(37, 29);  // odd sides: partial blocks and chroma pairs
  for (const int quality : {1, 80, 100}) {
    for (const bool progressive : {true, false}) {
      const auto expected = encodeFromRgbRows(image, quality, progressive);
      EXPECT_EQ(encodeJpeg(image, {quality, progressive, true}), expected) << quality;
      EXPECT_EQ(encodeJpeg(image, {quality, progressive, false}), expected) << quality;
    }
  }
}

TEST(JpegWriter, LargeOutputGrowsTheBuffer) {
  // Noise at quality 100 compresses badly: over 200 kB, so the 64 kB buffer doubles twice.
  Image noise(400, 300);
  uint32_t seed = 1;
  for (size_t i = 0; i < noise.sizeBytes(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    noise.data()[i] = static_cast<uint8_t>(seed >> 24);
  }
  const auto bytes = encodeJpeg(noise, {100, false, false});
  EXPECT_GT(bytes.size(), size_t{200000});
  EXPECT_EQ(bytes, encodeFromRgbRows(noise, 100, false));
}

TEST(JpegWriter, LibraryErrorsAreReportedByNumberAndKeepTheOldFile) {
  TempDir dir;
  const auto target = dir.write("old.jpg", std::string("old contents"));
  try {
    WriteJpegFile(target, Image(0, 0), {});
    FAIL() << "an empty picture was written";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), formatMessage("JPEG error #%d", JERR_EMPTY_IMAGE));
  }
  try {
    (void)encodeJpeg(Image(65501, 1, Rgb{}), {});
    FAIL() << "a side beyond the format's limit was encoded";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), formatMessage("JPEG error #%d", JERR_IMAGE_TOO_BIG));
  }
  EXPECT_EQ(testing::readText(target), "old contents");
  EXPECT_EQ(testing::filesIn(dir.path()), std::vector<std::filesystem::path>{"old.jpg"});
}

TEST(JpegWriter, UnwritableTargets) {
  TempDir dir;
  const auto missing = dir / "no such folder" / "out.jpg";
  try {
    WriteJpegFile(missing, testing::gradient(8, 8), {});
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + missing.string());
  }
  // A folder in the way: the finished file cannot replace it, and nothing is left behind.
  std::filesystem::create_directory(dir / "taken.jpg");
  try {
    WriteJpegFile(dir / "taken.jpg", testing::gradient(8, 8), {});
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + (dir / "taken.jpg").string());
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.jpg"));
  EXPECT_EQ(testing::filesIn(dir.path()), std::vector<std::filesystem::path>{"taken.jpg"});
}

TEST(JpegWriter, AFullDiskKeepsTheOldFile) {
  TempDir dir;
  const auto target = dir.write("photo.jpg", std::string("previous photo"));
  const Image image = testing::gradient(300, 200);
  {
    testing::FileSizeLimit limit(1000);
    EXPECT_THROW(WriteJpegFile(target, image, {100, false, false}), Error);
  }
  EXPECT_EQ(testing::readText(target), "previous photo");
  EXPECT_EQ(testing::filesIn(dir.path()), std::vector<std::filesystem::path>{"photo.jpg"});
  WriteJpegFile(target, image, {100, false, false});
  EXPECT_EQ(loadPicture(target).width(), 300);
}

}  // namespace
}  // namespace lumabord
