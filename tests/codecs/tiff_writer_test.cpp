// The fixed-layout TIFF writer byte for byte, its round trip through the reader, and
// failures that keep the old file.
#include <gtest/gtest.h>

#include <sstream>

#include "base/error.h"
#include "base/file_io.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "support/temp_dir.h"
#include "writer_test_support.h"

namespace lumabord {
namespace {

using testing::TempDir;

std::vector<uint8_t> hex(const std::string& text) {
  std::istringstream in(text);
  std::vector<uint8_t> bytes;
  unsigned value = 0;
  while (in >> std::hex >> value) bytes.push_back(static_cast<uint8_t>(value));
  return bytes;
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24;
}

// The 15 directory entries with the picture's own values; the rest is fixed.
std::string directoryText(const std::string& width, const std::string& height,
                          const std::string& rows, const std::string& count) {
  return "0F 00"
         " FE 00 04 00 01 00 00 00 00 00 00 00"
         " 00 01 " +
         width + " 01 01 " + height +
         " 02 01 03 00 03 00 00 00 18 00 00 00"
         " 03 01 03 00 01 00 00 00 01 00 00 00"
         " 06 01 03 00 01 00 00 00 02 00 00 00"
         " 11 01 04 00 01 00 00 00 28 00 00 00"
         " 15 01 03 00 01 00 00 00 03 00 00 00"
         " 16 01 04 00 01 00 00 00 " +
         rows + " 17 01 04 00 01 00 00 00 " + count +
         " 1A 01 05 00 01 00 00 00 08 00 00 00"
         " 1B 01 05 00 01 00 00 00 10 00 00 00"
         " 1C 01 03 00 01 00 00 00 01 00 00 00"
         " 28 01 03 00 01 00 00 00 02 00 00 00"
         " 31 01 02 00 0A 00 00 00 1E 00 00 00"
         " 00 00 00 00";
}

const std::string kResolutionsAndNames =
    " 6D 03 00 00 0A 00 00 00 6D 03 00 00 0A 00 00 00"  // 877/10 twice
    " 08 00 08 00 08 00"
    " 54 65 73 73 61 67 6C 79 70 68";  // "Tessaglyph", no zero byte

TEST(TiffWriter, TwoByOneFileByteForByte) {
  TempDir dir;
  WriteTiffFile(dir / "a.tif", testing::redBlue());
  const auto expected =
      hex("49 49 2A 00 2E 00 00 00" + kResolutionsAndNames + " FF 00 00 00 00 FF " +
          directoryText("03 00 01 00 00 00 02 00 00 00", "03 00 01 00 00 00 01 00 00 00",
                        "01 00 00 00", "06 00 00 00"));
  ASSERT_EQ(expected.size(), 232u);
  EXPECT_EQ(readFile(dir / "a.tif"), expected);
}

TEST(TiffWriter, ThreeByThreeHasItsDirectoryAtAnOddOffset) {
  Image image(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      image.setPixel(x, y,
                     Rgb{static_cast<uint8_t>(10 * y + x), static_cast<uint8_t>(100 + x),
                         static_cast<uint8_t>(200 + y)});
  TempDir dir;
  WriteTiffFile(dir / "b.tiff", image);
  const auto bytes = readFile(dir / "b.tiff");
  ASSERT_EQ(bytes.size(), 253u);
  std::string pixels;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      char rgb[16];
      std::snprintf(rgb, sizeof rgb, " %X %X %X", 10 * y + x, 100 + x, 200 + y);
      pixels += rgb;
    }
  const auto expected =
      hex("49 49 2A 00 43 00 00 00" + kResolutionsAndNames + pixels + " " +
          directoryText("03 00 01 00 00 00 03 00 00 00", "03 00 01 00 00 00 03 00 00 00",
                        "03 00 00 00", "1B 00 00 00"));
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(le32(bytes, 4), 67u);
  EXPECT_EQ(bytes[67], 15);
}

TEST(TiffWriter, RoundTripsThroughTheReader) {
  TempDir dir;
  for (const auto& [w, h] : {std::pair{1, 1}, {2, 1}, {7, 5}, {64, 33}}) {
    const Image image = testing::gradient(w, h);
    WriteTiffFile(dir / "r.tif", image);
    const Image back = loadPicture(dir / "r.tif");
    EXPECT_TRUE(back == image) << w << "x" << h;
  }
}

TEST(TiffWriter, SidesBeyondAShortAreWrittenAsLongs) {
  TempDir dir;
  WriteTiffFile(dir / "wide.tif", Image(65536, 1, Rgb{1, 2, 3}));
  const auto wide = readFile(dir / "wide.tif");
  const size_t n = 3 * 65536;
  ASSERT_EQ(wide.size(), 226 + n);
  const size_t entries = 40 + n + 2;
  // ImageWidth: LONG 65536; ImageLength stays a SHORT.
  EXPECT_EQ(std::vector<uint8_t>(wide.begin() + entries + 12, wide.begin() + entries + 36),
            hex("00 01 04 00 01 00 00 00 00 00 01 00  01 01 03 00 01 00 00 00 01 00 00 00"));

  WriteTiffFile(dir / "tall.tif", Image(1, 70000, Rgb{1, 2, 3}));
  const auto tall = readFile(dir / "tall.tif");
  const size_t at = 40 + 3 * 70000 + 2;
  EXPECT_EQ(std::vector<uint8_t>(tall.begin() + at + 12, tall.begin() + at + 36),
            hex("00 01 03 00 01 00 00 00 01 00 00 00  01 01 04 00 01 00 00 00 70 11 01 00"));
  const Image back = loadPicture(dir / "tall.tif");
  EXPECT_EQ(back.width(), 1);
  EXPECT_EQ(back.height(), 70000);
  EXPECT_EQ(back.pixel(0, 69999), (Rgb{1, 2, 3}));
}

TEST(TiffWriter, APictureWithoutPixelsGivesAnEmptyFile) {
  TempDir dir;
  const auto target = dir.write("empty.tif", std::string("old"));
  WriteTiffFile(target, Image(0, 5));
  EXPECT_TRUE(readFile(target).empty());
}

TEST(TiffWriter, FailuresKeepTheOldFile) {
  TempDir dir;
  const auto missing = dir / "gone" / "x.tif";
  try {
    WriteTiffFile(missing, testing::redBlue());
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + missing.string());
  }
  const auto target = dir.write("x.tif", std::string("earlier picture"));
  {
    testing::FileSizeLimit limit(4096);
    EXPECT_THROW(WriteTiffFile(target, testing::gradient(200, 100)), Error);
  }
  EXPECT_EQ(testing::readText(target), "earlier picture");
  EXPECT_EQ(testing::filesIn(dir.path()), std::vector<std::filesystem::path>{"x.tif"});
}

}  // namespace
}  // namespace lumabord
