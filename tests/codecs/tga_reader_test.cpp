// Targa reader: every type and depth, both origins, run-length packets, bad headers.
#include "codecs/format_files.h"
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

using namespace tga_files;

void expectPattern(const Image& image) {
  ASSERT_EQ(image.width(), 4);
  ASSERT_EQ(image.height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.pixel(x, y), patternColour(x, y)) << x << "," << y;
}

TEST(TgaReader, TrueColourInAllFourOrigins) {
  for (unsigned descriptor : {0x00u, 0x10u, 0x20u, 0x30u}) {
    Bytes file = tgaHeader(2, 24, descriptor, 4, 3);
    const Bytes px = patternPixels(descriptor & 0x20, descriptor & 0x10, 3);
    file.insert(file.end(), px.begin(), px.end());
    expectPattern(decodeAs(file, "tga"));
    expectMatchesMagick(file, "tga", "tga");
  }
}

TEST(TgaReader, RunLengthPacketsAcrossRowsAndAlphaOverWhite) {
  // 32 bits with 8 alpha bits, top-down: a run of 6 pixels crosses from row 0 into row 1.
  Bytes file = tgaHeader(10, 32, 0x28, 4, 2);
  for (unsigned v : {0x85u, 10u, 20u, 30u, 255u}) putU8(file, v);            // 6 x (30,20,10)
  for (unsigned v : {0x01u, 0u, 0u, 255u, 128u, 255u, 255u, 255u, 0u}) putU8(file, v);
  const Image image = decodeAs(file, "icb");
  EXPECT_EQ(image.pixel(3, 0), (Rgb{30, 20, 10}));
  EXPECT_EQ(image.pixel(1, 1), (Rgb{30, 20, 10}));
  // (255 * 128 + 255 * 127 + 127) / 255 = 255 for red; blue 0 over white: (255*127+127)/255.
  EXPECT_EQ(image.pixel(2, 1), (Rgb{255, 127, 127}));
  EXPECT_EQ(image.pixel(3, 1), (Rgb{255, 255, 255}));
  expectMatchesMagick(file, "tga", "tga", 1);
}

TEST(TgaReader, MappedGreyAndFiveBitColours) {
  // Colour map of 24-bit entries starting at index 2, 8-bit indices, run-length coded.
  Bytes mapped = tgaHeader(9, 8, 0x20, 3, 1, 2, 24, 2);
  for (unsigned v : {1u, 2u, 3u, 200u, 150u, 100u}) putU8(mapped, v);
  for (unsigned v : {0x81u, 3u, 0x00u, 2u}) putU8(mapped, v);
  EXPECT_EQ(pixelsOf(decodeAs(mapped, "tga")),
            (std::vector<Rgb>{{100, 150, 200}, {100, 150, 200}, {3, 2, 1}}));
  expectMatchesMagick(mapped, "tga", "tga");

  Bytes grey = tgaHeader(3, 8, 0x00, 2, 2);
  for (unsigned v : {10u, 20u, 30u, 40u}) putU8(grey, v);
  EXPECT_EQ(pixelsOf(decodeAs(grey, "vda")),
            (std::vector<Rgb>{{30, 30, 30}, {40, 40, 40}, {10, 10, 10}, {20, 20, 20}}));
  expectMatchesMagick(grey, "tga", "tga");

  // 5 bits per channel widen as round(v * 255 / 31): 1 -> 8, 3 -> 25, 31 -> 255.
  Bytes five = tgaHeader(2, 16, 0x20, 2, 1);
  putU16le(five, 1 << 10 | 3 << 5 | 31);
  putU16le(five, 0x8000 | 16 << 10);
  EXPECT_EQ(pixelsOf(decodeAs(five, "vst")), (std::vector<Rgb>{{8, 25, 255}, {132, 0, 0}}));
  // ImageMagick widens by bit replication (3 -> 24), one step from the rounded value.
  expectMatchesMagick(five, "tga", "tga", 1);
}

TEST(TgaReader, RefusesBadHeadersAndShortData) {
  EXPECT_EQ(decodeError({1, 2, 3}, "tga"), "Stream read error in TGA file.");
  EXPECT_EQ(decodeError(tgaHeader(5, 24, 0, 1, 1), "tga"),
            "Cannot load image. Invalid or unexpected TGA image format.");
  EXPECT_EQ(decodeError(tgaHeader(2, 12, 0, 1, 1), "tga"), "Invalid color format in TGA file.");
  EXPECT_EQ(decodeError(tgaHeader(1, 8, 0, 1, 1), "tga"),
            "Cannot load image. Palette in TGA file is invalid.");
  EXPECT_EQ(decodeError(tgaHeader(2, 24, 0, 0, 5), "tga"),
            "Cannot load image test.tga: the TGA file declares an empty or negative size (0 x 5)");
  EXPECT_EQ(decodeError(tgaHeader(2, 24, 0, 100, 100), "tga"),
            "Cannot load image test.tga: the TGA file declares a picture of at least 30000 bytes "
            "but holds only 0");
  Bytes truncatedRun = tgaHeader(10, 24, 0, 200, 1);
  putZeros(truncatedRun, 4);
  for (unsigned v : {0x7Fu, 1u, 2u, 3u, 0x7Fu, 1u, 2u}) putU8(truncatedRun, v);
  EXPECT_EQ(decodeError(truncatedRun, "tga"), "Stream read error in TGA file.");
  DecodeLimits small;
  small.maxPixels = 100;
  EXPECT_EQ(decodeError(tgaHeader(2, 24, 0, 20, 20), "tga", small),
            "Cannot load image test.tga: 20 x 20 pixels exceed the limit of 100 pixels");
}

}  // namespace
}  // namespace lumabord::testing
