// The 24-bit BMP writer byte for byte, row padding and order, round trip and failures.
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/file_io.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "support/temp_dir.h"
#include "writer_test_support.h"

namespace lumabord {
namespace {

using testing::TempDir;

TEST(BmpWriter, TwoByOneFileByteForByte) {
  TempDir dir;
  WriteBmpFile(dir / "a.bmp", testing::redBlue());
  const std::vector<uint8_t> expected = {
      'B',  'M',  62,   0,    0,    0,    0, 0, 0, 0, 54, 0, 0, 0,  // file header
      40,   0,    0,    0,    2,    0,    0, 0, 1, 0, 0,  0, 1, 0,
      24,   0,  // size, W, H, planes, bits
      0,    0,    0,    0,    8,    0,    0, 0, 0, 0, 0,  0, 0, 0,
      0,    0,                                    // compression, S, resolutions
      0,    0,    0,    0,    0,    0,    0, 0,   // colours used, important
      0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0};  // red, blue, padding
  EXPECT_EQ(readFile(dir / "a.bmp"), expected);
}

TEST(BmpWriter, RowsRunBottomUpPaddedToFourBytes) {
  Image image(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      image.setPixel(x, y, Rgb{static_cast<uint8_t>(y), 0, static_cast<uint8_t>(x + 1)});
  TempDir dir;
  WriteBmpFile(dir / "b.bmp", image);
  const auto bytes = readFile(dir / "b.bmp");
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  EXPECT_EQ(bytes[2], 78);
  EXPECT_EQ(bytes[34], 24);  // image size S
  // First stored row is the bottom image row (red 1), each pixel blue, green, red.
  const std::vector<uint8_t> rows = {1, 0, 1, 2, 0, 1, 3, 0, 1, 0, 0, 0,
                                     1, 0, 0, 2, 0, 0, 3, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 54, bytes.end()), rows);
}

TEST(BmpWriter, RoundTripsThroughTheReader) {
  TempDir dir;
  for (const auto& [w, h] : {std::pair{1, 1}, {2, 1}, {3, 7}, {5, 4}, {64, 33}}) {
    const Image image = testing::gradient(w, h);
    WriteBmpFile(dir / "r.bmp", image);
    EXPECT_TRUE(loadPicture(dir / "r.bmp") == image) << w << "x" << h;
  }
}

TEST(BmpWriter, FailuresKeepTheOldFile) {
  TempDir dir;
  const auto missing = dir / "gone" / "x.bmp";
  try {
    WriteBmpFile(missing, testing::redBlue());
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + missing.string());
  }
  const auto target = dir.write("x.bmp", std::string("earlier picture"));
  {
    testing::FileSizeLimit limit(4096);
    EXPECT_THROW(WriteBmpFile(target, testing::gradient(200, 100)), Error);
  }
  EXPECT_EQ(testing::readText(target), "earlier picture");
  EXPECT_EQ(testing::filesIn(dir.path()), std::vector<std::filesystem::path>{"x.bmp"});
}

TEST(OutputFormats, ExtensionsAndKeys) {
  EXPECT_EQ(outputFormatFromExtension("JPEG"), OutputFormat::Jpeg);
  EXPECT_EQ(outputFormatFromExtension("jpg"), OutputFormat::Jpeg);
  EXPECT_EQ(outputFormatFromExtension("Tif"), OutputFormat::Tiff);
  EXPECT_EQ(outputFormatFromExtension("tiff"), OutputFormat::Tiff);
  EXPECT_EQ(outputFormatFromExtension("bmp"), OutputFormat::Bmp);
  EXPECT_EQ(outputFormatFromExtension("png"), OutputFormat::Png);
  EXPECT_EQ(outputFormatFromExtension("WebP"), OutputFormat::Webp);
  EXPECT_EQ(outputFormatFromExtension("gif"), std::nullopt);
  EXPECT_EQ(outputFormatFromExtension(".jpg"), std::nullopt);
  EXPECT_STREQ(formatKey(OutputFormat::Jpeg), "jpg");
  EXPECT_STREQ(formatKey(OutputFormat::Tiff), "tif");
  EXPECT_STREQ(formatKey(OutputFormat::Bmp), "bmp");
  EXPECT_STREQ(formatKey(OutputFormat::Png), "png");
  EXPECT_STREQ(formatKey(OutputFormat::Webp), "webp");
  TempDir dir;
  writeImageFile(dir / "t", testing::redBlue(), OutputFormat::Tiff);
  EXPECT_EQ(readFile(dir / "t").size(), 232u);
  writeImageFile(dir / "b", testing::redBlue(), OutputFormat::Bmp);
  EXPECT_EQ(readFile(dir / "b").size(), 62u);
  writeImageFile(dir / "j", testing::redBlue(), OutputFormat::Jpeg, {50, false, false});
  EXPECT_EQ(readFile(dir / "j").at(0), 0xFF);
}

}  // namespace
}  // namespace lumabord
