// BMP/DIB and icon reading: every depth and compression against the pixels written, the
// documented widening of bit-field channels, ImageMagick as a second opinion, bad headers.
#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "codecs/picture_source.h"
#include "codecs/pixel_unpack.h"

namespace lumabord::testing {
namespace {

// What a channel written through a mask of maxValue levels reads back as.
uint8_t throughMask(uint8_t c, uint32_t maxValue) {
  return scaleToByte((c * maxValue + 127) / 255, maxValue);
}

Image quantised(const Image& img, std::array<uint32_t, 3> maxima) {
  Image out = img.clone();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const Rgb c = img.pixel(x, y);
      out.setPixel(
          x, y,
          {throughMask(c.r, maxima[0]), throughMask(c.g, maxima[1]), throughMask(c.b, maxima[2])});
    }
  return out;
}

struct IndexedCase {
  int bits;
  uint32_t compression;
  uint32_t headerSize;
  bool topDown;
  int colours;
};

TEST(BmpReader, IndexedDepthsAndRunLengthGiveThePalettePixels) {
  const IndexedCase cases[] = {
      {1, 0, 40, false, 2},   {4, 0, 40, false, 16},  {8, 0, 40, false, 256},
      {8, 0, 40, true, 200},  {4, 0, 12, false, 16},  {8, 0, 12, false, 256},
      {8, 0, 64, false, 100}, {8, 0, 124, false, 50}, {8, 1, 40, false, 256},
      {8, 1, 40, false, 3},   {4, 2, 40, false, 16},  {4, 2, 40, false, 5},
  };
  const int w = 37, h = 9;  // odd width: rows need padding, RLE4 ends on a half byte
  for (const IndexedCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.bits << " bits, compression " << c.compression << ", header " << c.headerSize
                 << (c.topDown ? ", top-down" : ""));
    BmpLayout l;
    l.bits = c.bits;
    l.compression = c.compression;
    l.headerSize = c.headerSize;
    l.topDown = c.topDown;
    l.palette = patternPalette(c.colours);
    const auto indices = patternIndices(w, h, c.colours);
    const Bytes file = writeBmp(l, w, h, indices);
    const Image expected = expandIndices(indices, l.palette, w, h);
    EXPECT_EQ(decodeError(file, "bmp"), "");
    if (!HasFailure()) {
      EXPECT_TRUE(decodeAs(file, "bmp") == expected);
      EXPECT_TRUE(decodeAs(file, c.compression ? "rle" : "dib") == expected);
    }
  }
}

TEST(BmpReader, DirectColourDepthsAndBitFields) {
  const int w = 19, h = 6;
  const Image img = patternImage(w, h);
  struct Case {
    int bits;
    uint32_t compression;
    uint32_t headerSize;
    std::array<uint32_t, 4> masks;
    std::array<uint32_t, 3> maxima;
    bool topDown;
  };
  const Case cases[] = {
      {24, 0, 40, {}, {255, 255, 255}, false},
      {24, 0, 40, {}, {255, 255, 255}, true},
      {24, 0, 12, {}, {255, 255, 255}, false},
      {24, 0, 108, {}, {255, 255, 255}, false},
      {16, 0, 40, {}, {31, 31, 31}, false},  // 5-5-5 without masks
      {16, 3, 40, {0xF800, 0x07E0, 0x001F, 0}, {31, 63, 31}, false},
      {16, 3, 56, {0x000F, 0x00F0, 0x0F00, 0}, {15, 15, 15}, true},
      {32, 0, 40, {}, {255, 255, 255}, false},
      {32, 3, 40, {0x3FF00000, 0x000FFC00, 0x000003FF, 0}, {1023, 1023, 1023}, false},
      {32, 3, 124, {0x0000FF00, 0x00FF0000, 0xFF000000, 0}, {255, 255, 255}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.bits << " bits, header " << c.headerSize << ", mask " << c.masks[0]);
    BmpLayout l;
    l.bits = c.bits;
    l.compression = c.compression;
    l.headerSize = c.headerSize;
    l.masks = c.masks;
    l.topDown = c.topDown;
    const Bytes file = writeBmp(l, w, h, {}, &img);
    EXPECT_TRUE(decodeAs(file, "bmp") == quantised(img, c.maxima));
  }
  // OS/2 1.x sizes are unsigned: a height of 40000 is not a negative one.
  BmpLayout os2;
  os2.headerSize = 12;
  const Image tall = patternImage(1, 40000);
  EXPECT_TRUE(decodeAs(writeBmp(os2, 1, 40000, {}, &tall), "bmp") == tall);
  // The widening is value * 255 / max rounded: 5-bit 16 is 132, 6-bit 1 is 4.
  EXPECT_EQ(scaleToByte(16, 31), 132);
  EXPECT_EQ(scaleToByte(1, 63), 4);
}

TEST(BmpReader, RunLengthEscapesAndUntouchedPixels) {
  // 4 x 3 bottom-up RLE8: two pixels of 5 on the bottom row, a delta of (1, 1), one pixel of 7,
  // then the end of the bitmap. Pixels never written keep index 0.
  BmpLayout l;
  l.bits = 8;
  l.compression = 1;
  l.palette = patternPalette(8);
  Bytes file = writeBmp(l, 4, 3, std::vector<uint8_t>(12, 0));
  const Bytes stream = {2, 5, 0, 2, 1, 1, 1, 7, 0, 1};
  const size_t bitsAt = file[10];
  file.resize(bitsAt);
  file.insert(file.end(), stream.begin(), stream.end());
  const std::vector<uint8_t> expected = {0, 0, 0, 0, 0, 0, 0, 7, 5, 5, 0, 0};
  EXPECT_TRUE(decodeAs(file, "bmp") == expandIndices(expected, l.palette, 4, 3));

  // Runs past the end of a row or of the picture are cut, never written outside it.
  file.resize(bitsAt);
  for (uint8_t b : {255, 1, 255, 2, 0, 2, 200, 200, 9, 3, 0, 1}) file.push_back(b);
  EXPECT_EQ(decodeAs(file, "bmp").width(), 4);
}

TEST(BmpReader, MatchesImageMagick) {
  SKIP_WITHOUT_IMAGEMAGICK();
  const int w = 21, h = 11;
  const Image img = patternImage(w, h);
  for (int bits : {1, 4, 8}) {
    BmpLayout l;
    l.bits = bits;
    l.palette = patternPalette(1 << bits);
    const Bytes file = writeBmp(l, w, h, patternIndices(w, h, 1 << bits));
    expectMatchesImageMagick(file, "indexed.bmp", decodeAs(file, "bmp"), 0);
  }
  for (uint32_t compression : {1u, 2u}) {
    BmpLayout l;
    l.bits = compression == 1 ? 8 : 4;
    l.compression = compression;
    l.palette = patternPalette(16);
    const Bytes file = writeBmp(l, w, h, patternIndices(w, h, 16));
    expectMatchesImageMagick(file, "rle.bmp", decodeAs(file, "bmp"), 0);
  }
  for (int bits : {16, 24, 32}) {
    BmpLayout l;
    l.bits = bits;
    l.topDown = bits == 24;
    const Bytes file = writeBmp(l, w, h, {}, &img);
    expectMatchesImageMagick(file, "direct.bmp", decodeAs(file, "bmp"), 1);
  }
  BmpLayout l;
  l.bits = 16;
  l.compression = 3;
  l.masks = {0xF800, 0x07E0, 0x001F, 0};
  const Bytes file = writeBmp(l, w, h, {}, &img);
  expectMatchesImageMagick(file, "565.bmp", decodeAs(file, "bmp"), 1);
}

TEST(BmpReader, BadHeadersAreRefusedWithTheirMessages) {
  const Image img = patternImage(8, 4);
  BmpLayout l;
  const Bytes good = writeBmp(l, 8, 4, {}, &img);
  auto with = [&](size_t at, uint32_t value) {
    Bytes b = good;
    setU32le(b, at, value);
    return b;
  };
  auto withU16 = [&](size_t at, uint16_t value) {
    Bytes b = good;
    b[at] = static_cast<uint8_t>(value);
    b[at + 1] = static_cast<uint8_t>(value >> 8);
    return b;
  };
  EXPECT_EQ(decodeError(Bytes(good.begin(), good.begin() + 12), "bmp"),
            "Stream read error in BMP file.");
  EXPECT_EQ(decodeError(with(14, 7), "bmp"), "Bitmap image is not valid");     // header size
  EXPECT_EQ(decodeError(withU16(28, 3), "bmp"), "Bitmap image is not valid");  // 3 bits
  EXPECT_EQ(decodeError(withU16(28, 8), "bmp"),                                // no palette
            "Cannot load image. Palette in BMP file is invalid.");
  EXPECT_EQ(decodeError(with(18, 0), "bmp"), "Bitmap image is not valid");  // width 0
  EXPECT_EQ(decodeError(with(30, 4), "bmp"),                                // an embedded JPEG
            "Cannot load image. The compression scheme is not supported for BMP files.");
  EXPECT_EQ(decodeError(with(30, 1), "bmp"), "Bitmap image is not valid");  // RLE8 at 24 bits
  EXPECT_EQ(decodeError({'x', 'y', 'z', 0, 0, 0}, "dib"), "Bitmap image is not valid");

  // Sizes beyond the limit or beyond the data are refused before anything is allocated.
  EXPECT_EQ(decodeError(with(22, 0x7FFFFFFF), "bmp"),
            "Cannot load image test.bmp: 8 x 2147483647 pixels exceed the limit of 268435456 "
            "pixels");
  EXPECT_EQ(decodeError(with(22, 5000), "bmp"),
            "Cannot load image test.bmp: the BMP file declares a picture of at least 120000 "
            "bytes but holds only 96");
  EXPECT_EQ(decodeError(with(22, 0x80000000), "bmp"), "Bitmap image is not valid");
  DecodeLimits small;
  small.maxPixels = 31;
  EXPECT_EQ(decodeError(good, "bmp", small),
            "Cannot load image test.bmp: 8 x 4 pixels exceed the limit of 31 pixels");
}

// ---------------------------------------------------------------------------------------
// Icons

Bytes iconBitmap(const Image& img, int bits, const std::vector<uint8_t>& andMask,
                 const std::vector<uint8_t>& alpha = {}) {
  BmpLayout l;
  l.fileHeader = false;
  l.icon = true;
  l.bits = bits;
  l.andMask = andMask;
  l.alpha = alpha;
  if (bits <= 8) {
    l.palette = patternPalette(1 << bits);
    return writeBmp(l, img.width(), img.height(),
                    patternIndices(img.width(), img.height(), 1 << bits));
  }
  return writeBmp(l, img.width(), img.height(), {}, &img);
}

TEST(IcoReader, TakesTheLargestThenTheDeepestEntry) {
  const Image small = patternImage(16, 16), large = patternImage(32, 32);
  const Bytes ico = writeIco({{16, 16, 24, iconBitmap(small, 24, {})},
                              {32, 32, 4, iconBitmap(large, 4, {})},
                              {32, 32, 24, iconBitmap(large, 24, {})},
                              {32, 32, 8, iconBitmap(large, 8, {})}});
  EXPECT_TRUE(decodeAs(ico, "ico") == large);
  EXPECT_TRUE(decodeAs(ico, "") == large);
  // A cursor (type 2) is read alike.
  EXPECT_TRUE(decodeAs(writeIco({{16, 16, 24, iconBitmap(small, 24, {})}}, 2), "ico") == small);
}

TEST(IcoReader, MaskAndAlphaGoOverWhite) {
  const int w = 8, h = 4;
  const Image img = patternImage(w, h);
  std::vector<uint8_t> mask(w * h, 0), alpha(w * h, 255);
  mask[1] = mask[w * 3 + 7] = 1;  // top row second pixel, bottom-right pixel
  alpha[0] = 0;
  alpha[2] = 128;
  Image expected = img.clone();
  expected.setPixel(1, 0, {255, 255, 255});
  expected.setPixel(7, 3, {255, 255, 255});
  EXPECT_TRUE(decodeAs(writeIco({{w, h, 24, iconBitmap(img, 24, mask)}}), "ico") == expected);

  // 32 bits with alpha: the alpha decides and the AND mask is ignored.
  Image blended = img.clone();
  blended.setPixel(0, 0, {255, 255, 255});
  const Rgb c = img.pixel(2, 0);
  blended.setPixel(2, 0, {overWhite(c.r, 128), overWhite(c.g, 128), overWhite(c.b, 128)});
  EXPECT_TRUE(decodeAs(writeIco({{w, h, 32, iconBitmap(img, 32, mask, alpha)}}), "ico") == blended);
  // overWhite is c * a + 255 * (255 - a) rounded: 0 at half alpha is 127.5 -> 128.
  EXPECT_EQ(overWhite(0, 128), 127);
  EXPECT_EQ(overWhite(0, 127), 128);
}

TEST(IcoReader, PngEntries) {
  const int w = 48, h = 48;
  const Image img = patternImage(w, h);
  std::vector<uint16_t> samples;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgb c = img.pixel(x, y);
      samples.insert(samples.end(), {c.r, c.g, c.b, static_cast<uint16_t>(x < 4 ? 0 : 255)});
    }
  PngOptions o;
  o.colourType = PNG_COLOR_TYPE_RGBA;
  const Bytes png = writePng(w, h, samples, o);
  Image expected = img.clone();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < 4; ++x) expected.setPixel(x, y, {255, 255, 255});
  const Bytes ico =
      writeIco({{16, 16, 24, iconBitmap(patternImage(16, 16), 24, {})}, {w, h, 32, png}});
  EXPECT_TRUE(decodeAs(ico, "ico") == expected);
}

TEST(IcoReader, BadDirectoriesAreRefused) {
  const Bytes entry = iconBitmap(patternImage(16, 16), 24, {});
  Bytes ico = writeIco({{16, 16, 24, entry}});
  Bytes pastEnd = ico;
  setU32le(pastEnd, 6 + 12, static_cast<uint32_t>(ico.size()));  // offset at the very end
  setU32le(pastEnd, 6 + 8, 40);
  EXPECT_EQ(decodeError(pastEnd, "ico"), "Stream read error in ICO file.");
  EXPECT_EQ(decodeError(writeIco({}), "ico"),
            "Cannot load image. Invalid or unexpected ICO image format.");
  EXPECT_EQ(decodeError(Bytes(ico.begin(), ico.begin() + 10), "ico"),
            "Stream read error in ICO file.");
  Bytes cut = ico;
  setU32le(cut, 6 + 8, 30);  // the entry is cut inside its header
  EXPECT_EQ(decodeError(cut, "ico"), "Stream read error in BMP file.");
}

}  // namespace
}  // namespace lumabord::testing
