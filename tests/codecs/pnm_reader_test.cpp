// Portable bitmap/graymap/pixmap reader: every form, comments, deep maxval, bad headers.
#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(PnmReader, PlainFormsWithComments) {
  // 1 is black in bitmaps; digits of a plain bitmap need not be separated.
  const Image pbm = decodeAs(text("P1\n# a comment\n3 2\n010\n1 1 0\n"), "pbm");
  EXPECT_EQ(pixelsOf(pbm), (std::vector<Rgb>{{255, 255, 255}, {0, 0, 0}, {255, 255, 255},
                                             {0, 0, 0}, {0, 0, 0}, {255, 255, 255}}));
  // Grey scaled by 255 / maxval, rounded: 1/3 -> 85, 2/3 -> 170.
  const Image pgm = decodeAs(text("P2 3#c\n1 3\n0 1 2\n"), "pgm");
  EXPECT_EQ(pixelsOf(pgm), (std::vector<Rgb>{{0, 0, 0}, {85, 85, 85}, {170, 170, 170}}));
  const Image ppm = decodeAs(text("P3\n2 1\n# max\n100\n100 0 50  0 100 1\n"), "PPM");
  EXPECT_EQ(pixelsOf(ppm), (std::vector<Rgb>{{255, 0, 128}, {0, 255, 3}}));
}

TEST(PnmReader, RawFormsAndSixteenBitSamples) {
  Bytes pbm = text("P4\n10 2\n");
  for (unsigned v : {0b10000000u, 0b01000000u, 0xFFu, 0xC0u}) putU8(pbm, v);
  const Image bits = decodeAs(pbm, "pbm");
  EXPECT_EQ(bits.pixel(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(bits.pixel(1, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(bits.pixel(9, 0), (Rgb{0, 0, 0}));  // second byte of the padded row
  EXPECT_EQ(bits.pixel(8, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(bits.pixel(9, 1), (Rgb{0, 0, 0}));

  Bytes pgm = text("P5 2 1 65535\n");
  putU16be(pgm, 65535);
  putU16be(pgm, 257 * 100 + 128);  // rounds to 100
  EXPECT_EQ(pixelsOf(decodeAs(pgm, "pgm")), (std::vector<Rgb>{{255, 255, 255}, {100, 100, 100}}));

  Bytes ppm = text("P6\n2 2\n255\n");
  for (unsigned v = 0; v < 12; ++v) putU8(ppm, v * 20);
  const Image rgb = decodeAs(ppm, "ppm");
  EXPECT_EQ(rgb.pixel(1, 1), (Rgb{180, 200, 220}));
  expectMatchesMagick(ppm, "ppm", "ppm");
  expectMatchesMagick(pgm, "pgm", "pgm");
  expectMatchesMagick(pbm, "pbm", "pbm");
}

TEST(PnmReader, MatchesMagickOnPlainDeepPixmap) {
  Bytes ppm = text("P3\n3 2\n1000\n");
  for (int i = 0; i < 18; ++i) putText(ppm, std::to_string(i * 55) + " ");
  expectMatchesMagick(ppm, "ppm", "ppm");
  Bytes deep = text("P6 2 1 4095\n");
  for (unsigned v : {0u, 4095u, 2047u, 1u, 4000u, 17u}) putU16be(deep, v);
  expectMatchesMagick(deep, "ppm", "ppm");
}

TEST(PnmReader, RefusesBadHeadersAndShortData) {
  EXPECT_EQ(decodeError(text("P7\n1 1\n255\n"), "ppm"),
            "Cannot load image. Invalid or unexpected PNM image format.");
  EXPECT_EQ(decodeError(text("P6\n1 1\n"), "ppm"), "Stream read error in PPM file.");
  EXPECT_EQ(decodeError(text("P5 1 1 70000\n"), "pgm"),
            "Cannot load image. Invalid or unexpected PGM image format.");
  EXPECT_EQ(decodeError(text("P5 1 1 0\n"), "pgm"),
            "Cannot load image. Invalid or unexpected PGM image format.");
  EXPECT_EQ(decodeError(text("P6 0 1 255\n"), "ppm"),
            "Cannot load image test.ppm: the PPM file declares an empty or negative size (0 x 1)");
  EXPECT_EQ(decodeError(text("P6 100 100 255\nabc"), "ppm"),
            "Cannot load image test.ppm: the PPM file declares a picture of at least 30000 bytes "
            "but holds only 3");
  EXPECT_EQ(decodeError(text("P4 9000000 9000000\n"), "pbm"),
            "Cannot load image. Invalid or unexpected PBM image format.");
  EXPECT_EQ(decodeError(text("P4 20000 20000\n"), "pbm"),
            "Cannot load image test.pbm: 20000 x 20000 pixels exceed the limit of 268435456 "
            "pixels");
  EXPECT_EQ(decodeError(text("P2 2 1 255\n1 x\n"), "pgm"),
            "Cannot load image. Invalid or unexpected PGM image format.");
  EXPECT_EQ(decodeError(text("P1 2 1\n1"), "pbm"), "Stream read error in PBM file.");
}

}  // namespace
}  // namespace lumabord::testing
