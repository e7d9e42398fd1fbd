// PNG and GIF reading: every PNG colour type and depth, interlaced or not, transparency
// over white, the first GIF frame with its palettes and placement, and damaged files.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>

#include "codec_test_support.h"
#include "codecs/picture_source.h"
#include "codecs/pixel_unpack.h"

namespace lumabord::testing {
namespace {

int channelsOf(int colourType) {
  static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  return kChannels[colourType];
}

// Sample c of pixel (x, y) at the given depth, spread over the whole range.
uint16_t sampleAt(int x, int y, int c, int depth) {
  const uint32_t v = static_cast<uint32_t>(x * 4099 + y * 977 + c * 5003 + x * y * 31);
  return static_cast<uint16_t>(depth == 16 ? v & 0xFFFF : v % (1u << depth));
}

uint8_t widen(uint16_t v, int depth) {
  if (depth == 16) return static_cast<uint8_t>(std::lround(v * 255.0 / 65535.0));
  return scaleToByte(v, (1u << depth) - 1);
}

struct PngPicture {
  Bytes file;
  Image expected;
};

// A w x h PNG of the colour type and depth, and the picture the reader must make of it.
PngPicture makePng(int w, int h, PngOptions o) {
  const int channels = channelsOf(o.colourType);
  const bool palette = o.colourType == PNG_COLOR_TYPE_PALETTE;
  if (palette) o.palette = patternPalette(1 << std::min(o.bitDepth, 8));
  std::vector<uint16_t> samples;
  PngPicture out{{}, Image(w, h)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint16_t s[4] = {};
      for (int c = 0; c < channels; ++c) s[c] = sampleAt(x, y, c, o.bitDepth);
      samples.insert(samples.end(), s, s + channels);
      Rgb colour;
      unsigned alpha = 255;
      if (palette) {
        colour = o.palette[s[0]];
        if (s[0] < o.paletteAlpha.size()) alpha = o.paletteAlpha[s[0]];
      } else if (channels <= 2) {
        const uint8_t g = widen(s[0], o.bitDepth);
        colour = {g, g, g};
        if (channels == 2) alpha = widen(s[1], o.bitDepth);
        if (o.transparentColour && (*o.transparentColour)[0] == s[0]) alpha = 0;
      } else {
        colour = {widen(s[0], o.bitDepth), widen(s[1], o.bitDepth), widen(s[2], o.bitDepth)};
        if (channels == 4) alpha = widen(s[3], o.bitDepth);
        if (o.transparentColour && (*o.transparentColour)[0] == s[0] &&
            (*o.transparentColour)[1] == s[1] && (*o.transparentColour)[2] == s[2])
          alpha = 0;
      }
      out.expected.setPixel(
          x, y,
          {overWhite(colour.r, alpha), overWhite(colour.g, alpha), overWhite(colour.b, alpha)});
    }
  out.file = writePng(w, h, samples, o);
  return out;
}

struct PngCase {
  int colourType;
  int depth;
};
const PngCase kPngCases[] = {
    {PNG_COLOR_TYPE_GRAY, 1},        {PNG_COLOR_TYPE_GRAY, 2},    {PNG_COLOR_TYPE_GRAY, 4},
    {PNG_COLOR_TYPE_GRAY, 8},        {PNG_COLOR_TYPE_GRAY, 16},   {PNG_COLOR_TYPE_GRAY_ALPHA, 8},
    {PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {PNG_COLOR_TYPE_RGB, 8},     {PNG_COLOR_TYPE_RGB, 16},
    {PNG_COLOR_TYPE_PALETTE, 1},     {PNG_COLOR_TYPE_PALETTE, 2}, {PNG_COLOR_TYPE_PALETTE, 4},
    {PNG_COLOR_TYPE_PALETTE, 8},     {PNG_COLOR_TYPE_RGBA, 8},    {PNG_COLOR_TYPE_RGBA, 16},
};

TEST(PngReader, EveryColourTypeAndDepthInterlacedOrNot) {
  for (const PngCase& c : kPngCases) {
    for (bool interlace : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "colour type " << c.colourType << ", depth " << c.depth
                                        << (interlace ? ", interlaced" : ""));
      PngOptions o;
      o.colourType = c.colourType;
      o.bitDepth = c.depth;
      o.interlace = interlace;
      const PngPicture p = makePng(13, 11, o);
      EXPECT_EQ(maxDifference(decodeAs(p.file, "png"), p.expected), 0);
    }
  }
}

TEST(PngReader, TransparencyChunksGoOverWhite) {
  PngOptions grey;
  grey.colourType = PNG_COLOR_TYPE_GRAY;
  grey.bitDepth = 8;
  grey.transparentColour = {{sampleAt(2, 1, 0, 8), 0, 0}};
  PngOptions rgb16;
  rgb16.colourType = PNG_COLOR_TYPE_RGB;
  rgb16.bitDepth = 16;
  rgb16.transparentColour = {{sampleAt(3, 2, 0, 16), sampleAt(3, 2, 1, 16), sampleAt(3, 2, 2, 16)}};
  PngOptions palette;
  palette.colourType = PNG_COLOR_TYPE_PALETTE;
  palette.bitDepth = 4;
  palette.paletteAlpha = {0, 64, 128, 200, 255, 1};
  for (const PngOptions& o : {grey, rgb16, palette}) {
    for (bool interlace : {false, true}) {
      PngOptions io = o;
      io.interlace = interlace;
      const PngPicture p = makePng(9, 7, io);
      const Image got = decodeAs(p.file, "png");
      EXPECT_EQ(maxDifference(got, p.expected), 0) << o.colourType << " " << interlace;
    }
  }
  const PngPicture p = makePng(9, 7, grey);
  EXPECT_EQ(decodeAs(p.file, "png").pixel(2, 1), (Rgb{255, 255, 255}));
}

TEST(PngReader, MatchesImageMagick) {
  SKIP_WITHOUT_IMAGEMAGICK();
  for (const PngCase& c : kPngCases) {
    PngOptions o;
    o.colourType = c.colourType;
    o.bitDepth = c.depth;
    o.interlace = c.depth == 8;
    if (c.colourType == PNG_COLOR_TYPE_PALETTE && c.depth > 1) o.paletteAlpha = {0, 100, 255};
    const PngPicture p = makePng(17, 9, o);
    expectMatchesImageMagick(p.file, "t" + std::to_string(c.colourType) + ".png",
                             decodeAs(p.file, "png"), 1);
  }
}

// A PNG chunk with its CRC.
Bytes chunk(const char* type, const Bytes& data) {
  Bytes out;
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(data.size() >> (8 * i)));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  const uint32_t crc = static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size())));
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(crc >> (8 * i)));
  return out;
}

TEST(PngReader, DamagedFilesAreRefusedWithTheirMessages) {
  PngOptions o;
  const PngPicture p = makePng(16, 16, o);
  Bytes crc = p.file;
  crc[20] ^= 1;  // inside the IHDR data
  EXPECT_EQ(decodeError(crc, "png"), "Cannot load image. CRC error found in PNG file.");
  // A damaged checksum alone: refused, unless checksums are off (as for fuzzing).
  Bytes badCrc = p.file;
  badCrc[30] ^= 0x40;  // the IHDR's CRC itself
  EXPECT_EQ(decodeError(badCrc, "png"), "Cannot load image. CRC error found in PNG file.");
  DecodeLimits lax;
  lax.verifyChecksums = false;
  EXPECT_TRUE(decodeAs(badCrc, "png", lax) == p.expected);
  EXPECT_EQ(decodeError(Bytes(p.file.begin(), p.file.end() - 30), "png"),
            "Stream read error in PNG file.");
  EXPECT_EQ(decodeError(Bytes(p.file.begin() + 1, p.file.end()), "png"),
            "Cannot load image. Invalid or unexpected PNG image format.");

  // An unknown critical chunk right after the header.
  Bytes critical(p.file.begin(), p.file.begin() + 33);
  const Bytes extra = chunk("QQQQ", {1, 2, 3});
  critical.insert(critical.end(), extra.begin(), extra.end());
  critical.insert(critical.end(), p.file.begin() + 33, p.file.end());
  EXPECT_EQ(decodeError(critical, "png"),
            "Cannot load PNG image. Unexpected but critical chunk detected.");

  // A header that claims 100000 x 100000 pixels, or more than the data can hold.
  auto withSize = [&](uint32_t w, uint32_t h) {
    Bytes ihdr = {0, 0, 0, 0, 0, 0, 0, 0, 8, 2, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
      ihdr[static_cast<size_t>(i)] = static_cast<uint8_t>(w >> (24 - 8 * i));
      ihdr[static_cast<size_t>(4 + i)] = static_cast<uint8_t>(h >> (24 - 8 * i));
    }
    Bytes b(p.file.begin(), p.file.begin() + 8);
    const Bytes c = chunk("IHDR", ihdr);
    b.insert(b.end(), c.begin(), c.end());
    b.insert(b.end(), p.file.begin() + 33, p.file.end());
    return b;
  };
  EXPECT_EQ(decodeError(withSize(100000, 100000), "png"),
            "Cannot load image test.png: 100000 x 100000 pixels exceed the limit of 268435456 "
            "pixels");
  EXPECT_EQ(decodeError(withSize(16000, 16000), "png"),
            "Cannot load image test.png: the PNG file declares a picture of at least 744201 bytes "
            "but holds only " +
                std::to_string(p.file.size()));
}

// ---------------------------------------------------------------------------------------
// GIF

TEST(GifReader, FirstFrameWithItsPaletteAndPlacement) {
  const int w = 23, h = 13;  // 13 rows: every interlace pass has rows
  const auto indices = patternIndices(w, h, 16);
  GifOptions o;
  o.globalPalette = patternPalette(16);
  const Image plain = expandIndices(indices, o.globalPalette, w, h);
  EXPECT_TRUE(decodeAs(writeGif(w, h, indices, o), "gif") == plain);

  GifOptions interlaced = o;
  interlaced.interlace = true;
  interlaced.frames = 3;
  EXPECT_TRUE(decodeAs(writeGif(w, h, indices, interlaced), "gif") == plain);

  // A local palette wins over the global one.
  GifOptions local = o;
  local.localPalette = patternPalette(32);
  std::reverse(local.localPalette.begin(), local.localPalette.end());
  EXPECT_TRUE(decodeAs(writeGif(w, h, indices, local), "gif") ==
              expandIndices(indices, local.localPalette, w, h));

  // Transparent pixels and the screen outside the frame are white.
  GifOptions placed = o;
  placed.screenWidth = w + 5;
  placed.screenHeight = h + 2;
  placed.left = 3;
  placed.top = 1;
  placed.transparent = 2;
  const Image got = decodeAs(writeGif(w, h, indices, placed), "gif");
  ASSERT_EQ(got.width(), w + 5);
  ASSERT_EQ(got.height(), h + 2);
  for (int y = 0; y < h + 2; ++y)
    for (int x = 0; x < w + 5; ++x) {
      const bool inside = x >= 3 && x < 3 + w && y >= 1 && y < 1 + h;
      const int index = inside ? indices[static_cast<size_t>((y - 1) * w + x - 3)] : -1;
      const Rgb want = index < 0 || index == 2 ? Rgb{255, 255, 255} : o.globalPalette[index];
      ASSERT_EQ(got.pixel(x, y), want) << x << "," << y;
    }
}

TEST(GifReader, MatchesImageMagick) {
  SKIP_WITHOUT_IMAGEMAGICK();
  const int w = 31, h = 17;
  GifOptions o;
  o.globalPalette = patternPalette(64);
  o.interlace = true;
  o.transparent = 5;
  const Bytes file = writeGif(w, h, patternIndices(w, h, 64), o);
  expectMatchesImageMagick(file, "t.gif", decodeAs(file, "gif"), 0);
}

TEST(GifReader, DamagedFilesAreRefusedWithTheirMessages) {
  const int w = 40, h = 30;
  GifOptions o;
  o.globalPalette = patternPalette(16);
  const Bytes good = writeGif(w, h, patternIndices(w, h, 16), o);
  EXPECT_EQ(decodeError(Bytes(good.begin(), good.begin() + good.size() / 2), "gif"),
            "Stream read error in GIF file.");
  EXPECT_EQ(decodeError(Bytes(good.begin(), good.begin() + 5), "gif"),
            "Stream read error in GIF file.");
  Bytes notGif = good;
  notGif[0] = 'J';
  EXPECT_EQ(decodeError(notGif, "gif"),
            "Cannot load image. Invalid or unexpected GIF image format.");
  Bytes noPalette = good;
  noPalette[10] &= 0x7F;  // no global table: the image descriptor comes too early
  EXPECT_NE(decodeError(noPalette, "gif"), "");
  GifOptions none;
  none.localPalette = patternPalette(2);
  Bytes bare = writeGif(4, 4, patternIndices(4, 4, 2), none);
  EXPECT_EQ(decodeAs(bare, "gif").width(), 4);
  // A frame that reaches past the limit of the screen or of the data.
  Bytes wide = good;
  wide[6] = wide[7] = 0xFF;  // screen 65535 wide
  EXPECT_EQ(decodeAs(wide, "gif").width(), 65535);
  DecodeLimits limits;
  limits.maxPixels = 1000;
  EXPECT_EQ(decodeError(good, "gif", limits),
            "Cannot load image test.gif: 40 x 30 pixels exceed the limit of 1000 pixels");
}

}  // namespace
}  // namespace lumabord::testing
