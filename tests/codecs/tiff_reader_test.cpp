// TIFF and EPS-preview reading: the compression schemes the table admits and refuses, the
// photometric interpretations, strips and tiles, 16-bit samples, alpha, the first page.
#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "codecs/picture_source.h"

namespace lumabord::testing {
namespace {

constexpr const char* kCompressionRefused =
    "Cannot load image. The compression scheme is not supported for TIF/TIFF files.";

Bytes greySamples(const Image& img, int bits, bool whiteIsZero) {
  const int w = img.width();
  const size_t rowBytes = (static_cast<size_t>(w) * static_cast<size_t>(bits) + 7) / 8;
  Bytes raw(rowBytes * static_cast<size_t>(img.height()), 0);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < w; ++x) {
      unsigned v = img.pixel(x, y).g >> (8 - std::min(bits, 8));
      if (whiteIsZero) v = ((1u << std::min(bits, 8)) - 1) - v;
      uint8_t* row = raw.data() + static_cast<size_t>(y) * rowBytes;
      if (bits == 16) {
        // Native byte order of the writer: little-endian here; v * 257 keeps the high byte.
        row[2 * x] = static_cast<uint8_t>(v);
        row[2 * x + 1] = static_cast<uint8_t>(v);
      } else {
        const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
        row[bit / 8] |= static_cast<uint8_t>(v << (8 - bits - static_cast<int>(bit % 8)));
      }
    }
  return raw;
}

// The grey picture those samples stand for: the top `bits` bits of green, widened.
Image greyPicture(const Image& img, int bits) {
  Image out(img.width(), img.height());
  const unsigned levels = (1u << std::min(bits, 8)) - 1;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const unsigned v = img.pixel(x, y).g >> (8 - std::min(bits, 8));
      const uint8_t g = static_cast<uint8_t>(v * 255 / levels);
      out.setPixel(x, y, {g, g, g});
    }
  return out;
}

TEST(TiffReader, CompressionSchemesOfTheTableLoad) {
  const Image img = patternImage(37, 21);
  const Bytes raw = rgbSamples(img);
  for (uint16_t c : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE,
                     COMPRESSION_DEFLATE, COMPRESSION_PACKBITS}) {
    TiffOptions o;
    o.compression = c;
    EXPECT_TRUE(decodeAs(writeTiff(37, 21, raw, o), "tif") == img) << "compression " << c;
  }
  // Fax schemes on a bilevel picture.
  const Image grey = greyPicture(img, 1);
  for (uint16_t c : {COMPRESSION_CCITTFAX3, COMPRESSION_CCITTRLE, COMPRESSION_CCITTRLEW}) {
    TiffOptions o;
    o.compression = c;
    o.photometric = PHOTOMETRIC_MINISWHITE;
    o.samplesPerPixel = 1;
    o.bitsPerSample = 1;
    o.rowsPerStrip = 21;
    EXPECT_TRUE(decodeAs(writeTiff(37, 21, greySamples(img, 1, true), o), "fax") == grey)
        << "compression " << c;
  }
  // JPEG in TIFF is lossy: close to the picture, and as ImageMagick reads it.
  const Image smooth = smoothImage(64, 48);
  TiffOptions jpeg;
  jpeg.compression = COMPRESSION_JPEG;
  jpeg.photometric = PHOTOMETRIC_YCBCR;
  jpeg.rowsPerStrip = 16;
  const Bytes file = writeTiff(64, 48, rgbSamples(smooth), jpeg);
  const Image got = decodeAs(file, "tiff");
  EXPECT_LE(maxDifference(got, smooth), 12);
  if (imageMagickPresent()) expectMatchesImageMagick(file, "jpeg.tif", got, 2);
}

TEST(TiffReader, OtherCompressionSchemesAreRefused) {
  const Image img = patternImage(16, 8);
  TiffOptions g4;
  g4.compression = COMPRESSION_CCITTFAX4;
  g4.photometric = PHOTOMETRIC_MINISWHITE;
  g4.samplesPerPixel = 1;
  g4.bitsPerSample = 1;
  EXPECT_EQ(decodeError(writeTiff(16, 8, greySamples(img, 1, true), g4), "tif"),
            kCompressionRefused);
  for (uint16_t value : {6, 4, 9, 34712, 65535}) {
    Bytes b = writeTiff(16, 8, rgbSamples(img), {});
    patchTiffCompression(b, value);
    EXPECT_EQ(decodeError(b, "tif"), kCompressionRefused) << value;
  }
}

TEST(TiffReader, PhotometricInterpretationsAndLayouts) {
  const int w = 37, h = 21;
  const Image img = patternImage(w, h);
  // Grey at every depth, black or white as zero.
  for (int bits : {1, 2, 4, 8, 16}) {
    for (bool whiteIsZero : {false, true}) {
      TiffOptions o;
      o.photometric = whiteIsZero ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK;
      o.samplesPerPixel = 1;
      o.bitsPerSample = static_cast<uint16_t>(bits);
      EXPECT_TRUE(decodeAs(writeTiff(w, h, greySamples(img, bits, whiteIsZero), o), "tif") ==
                  greyPicture(img, bits))
          << bits << " bits" << (whiteIsZero ? ", min-is-white" : "");
    }
  }
  // Tiles (with partial tiles at the right and bottom), one strip per row, 16-bit samples.
  TiffOptions tiled;
  tiled.tileSize = 16;
  tiled.compression = COMPRESSION_LZW;
  EXPECT_TRUE(decodeAs(writeTiff(w, h, rgbSamples(img), tiled), "tif") == img);
  TiffOptions strips;
  strips.rowsPerStrip = 1;
  EXPECT_TRUE(decodeAs(writeTiff(w, h, rgbSamples(img), strips), "tif") == img);
  Bytes wide;
  for (uint8_t b : rgbSamples(img)) wide.insert(wide.end(), {b, b});
  TiffOptions sixteen;
  sixteen.bitsPerSample = 16;
  EXPECT_TRUE(decodeAs(writeTiff(w, h, wide, sixteen), "tif") == img);

  // A palette of 16-bit entries.
  TiffOptions palette;
  palette.photometric = PHOTOMETRIC_PALETTE;
  palette.samplesPerPixel = 1;
  const auto colours = patternPalette(256);
  for (int channel = 0; channel < 3; ++channel)
    for (const Rgb& c : colours) {
      const uint8_t v = channel == 0 ? c.r : channel == 1 ? c.g : c.b;
      palette.colourMap.push_back(static_cast<uint16_t>(v * 257));
    }
  const auto indices = patternIndices(w, h, 256);
  EXPECT_TRUE(decodeAs(writeTiff(w, h, Bytes(indices.begin(), indices.end()), palette), "tif") ==
              expandIndices(indices, colours, w, h));

  // CMYK without black ink: each colour is 255 minus its ink.
  Bytes cmyk;
  const Bytes rgb = rgbSamples(img);
  for (size_t i = 0; i < rgb.size(); i += 3)
    cmyk.insert(cmyk.end(),
                {static_cast<uint8_t>(255 - rgb[i]), static_cast<uint8_t>(255 - rgb[i + 1]),
                 static_cast<uint8_t>(255 - rgb[i + 2]), 0});
  TiffOptions separated;
  separated.photometric = PHOTOMETRIC_SEPARATED;
  separated.samplesPerPixel = 4;
  EXPECT_TRUE(decodeAs(writeTiff(w, h, cmyk, separated), "tif") == img);

  // Only the first page of a multi-page file (later pages are inverted by the writer).
  TiffOptions pages;
  pages.pages = 3;
  EXPECT_TRUE(decodeAs(writeTiff(w, h, rgbSamples(img), pages), "tif") == img);
}

// A strip far taller than a decoding band is read a row at a time (bounded memory); the
// pixels must be those of the same picture in small strips, for every kind of row.
TEST(TiffReader, OneTallStripDecodesLikeManyStrips) {
  const int w = 24, h = 50000;  // one strip of 50000 rows against bands of about 43690
  const Image img = patternImage(w, h);
  struct Case {
    const char* name;
    uint16_t compression, photometric, bits, samples;
  };
  for (const Case& c : {Case{"rgb", COMPRESSION_NONE, PHOTOMETRIC_RGB, 8, 3},
                        Case{"deflate", COMPRESSION_ADOBE_DEFLATE, PHOTOMETRIC_RGB, 8, 3},
                        Case{"fax", COMPRESSION_CCITTFAX3, PHOTOMETRIC_MINISWHITE, 1, 1},
                        Case{"lzw grey 4", COMPRESSION_LZW, PHOTOMETRIC_MINISBLACK, 4, 1}}) {
    TiffOptions o;
    o.compression = c.compression;
    o.photometric = c.photometric;
    o.bitsPerSample = c.bits;
    o.samplesPerPixel = c.samples;
    const Bytes raw = c.samples == 3
                          ? rgbSamples(img)
                          : greySamples(img, c.bits, c.photometric == PHOTOMETRIC_MINISWHITE);
    o.rowsPerStrip = 16;
    const Image expected = decodeAs(writeTiff(w, h, raw, o), "tif");
    o.rowsPerStrip = h;
    EXPECT_TRUE(decodeAs(writeTiff(w, h, raw, o), "tif") == expected) << c.name;
  }
}

TEST(TiffReader, AlphaGoesOverWhite) {
  const int w = 16, h = 4;
  const Image img = patternImage(w, h);
  Bytes rgba;
  Image expected(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgb c = img.pixel(x, y);
      const uint8_t a = static_cast<uint8_t>(x * 17);
      rgba.insert(rgba.end(), {c.r, c.g, c.b, a});
      expected.setPixel(x, y, {overWhite(c.r, a), overWhite(c.g, a), overWhite(c.b, a)});
    }
  TiffOptions o;
  o.samplesPerPixel = 4;
  o.extraSamples = 1;
  o.extraSampleType = EXTRASAMPLE_UNASSALPHA;
  const Bytes file = writeTiff(w, h, rgba, o);
  const Image got = decodeAs(file, "tif");
  EXPECT_LE(maxDifference(got, expected), 1);
  EXPECT_EQ(got.pixel(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(got.pixel(15, 2), img.pixel(15, 2));
  if (imageMagickPresent()) expectMatchesImageMagick(file, "alpha.tif", got, 1);
}

TEST(TiffReader, MatchesImageMagick) {
  SKIP_WITHOUT_IMAGEMAGICK();
  const int w = 29, h = 13;
  const Image img = patternImage(w, h);
  TiffOptions lzw;
  lzw.compression = COMPRESSION_LZW;
  const Bytes rgb = writeTiff(w, h, rgbSamples(img), lzw);
  expectMatchesImageMagick(rgb, "rgb.tif", decodeAs(rgb, "tif"), 0);
  for (int bits : {1, 2, 4, 8, 16}) {
    for (bool whiteIsZero : {false, true}) {
      // ImageMagick 6 reads 2- and 4-bit min-is-white as min-is-black; libtiff and this reader
      // follow the photometric tag there as at every other depth.
      if ((bits == 2 || bits == 4) && whiteIsZero) continue;
      TiffOptions grey;
      grey.photometric = whiteIsZero ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK;
      grey.samplesPerPixel = 1;
      grey.bitsPerSample = static_cast<uint16_t>(bits);
      const Bytes g = writeTiff(w, h, greySamples(img, bits, whiteIsZero), grey);
      expectMatchesImageMagick(g,
                               "grey" + std::to_string(bits) + (whiteIsZero ? "w" : "b") + ".tif",
                               decodeAs(g, "tif"), 0);
    }
  }
}

TEST(TiffReader, DamagedFilesAreRefused) {
  const Image img = patternImage(40, 30);
  const Bytes good = writeTiff(40, 30, rgbSamples(img), {});
  EXPECT_EQ(decodeError(Bytes(good.begin(), good.begin() + 6), "tif"),
            "Cannot load image. Invalid or unexpected TIF/TIFF image format.");
  Bytes magic = good;
  magic[2] = 43;
  EXPECT_EQ(decodeError(magic, "tif").rfind("Cannot load image", 0), 0u);
  // Strips cut off: the message names the file.
  const std::string cut = decodeError(Bytes(good.begin(), good.begin() + 2000), "tif");
  EXPECT_NE(cut.find("test.tif"), std::string::npos) << cut;
  DecodeLimits limits;
  limits.maxPixels = 1199;
  EXPECT_EQ(decodeError(good, "tif", limits),
            "Cannot load image test.tif: 40 x 30 pixels exceed the limit of 1199 pixels");
  // The directory is written after the pixels: a size of 4000 x 3000 must not be believed.
  TiffOptions big;
  const Bytes wide = writeTiff(4000, 2, Bytes(4000 * 2 * 3, 7), big);
  Bytes claimed = wide;
  bool patched = false;
  const uint32_t ifd = claimed[4] | claimed[5] << 8 | claimed[6] << 16 | uint32_t{claimed[7]} << 24;
  const unsigned entries = claimed[ifd] | claimed[ifd + 1] << 8u;
  for (unsigned i = 0; i < entries; ++i) {
    const size_t e = ifd + 2 + 12 * i;
    if ((claimed[e] | claimed[e + 1] << 8) == TIFFTAG_IMAGELENGTH) {
      const bool isShort = claimed[e + 2] == 3;
      claimed[e + 8] = 0xB8;  // 3000
      claimed[e + 9] = 0x0B;
      if (!isShort) claimed[e + 10] = claimed[e + 11] = 0;
      patched = true;
    }
  }
  ASSERT_TRUE(patched);
  EXPECT_EQ(decodeError(claimed, "tif"),
            "Cannot load image test.tif: the TIFF file declares a picture of at least 36000000 "
            "bytes but holds only " +
                std::to_string(claimed.size()));
}

// ---------------------------------------------------------------------------------------
// EPS

TEST(EpsReader, TheTiffPreviewOrAnInvalidImage) {
  const Image img = patternImage(20, 10);
  const Bytes tiff = writeTiff(20, 10, rgbSamples(img), {});
  const Bytes eps = writeEps("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 10\nshowpage\n", tiff);
  EXPECT_TRUE(decodeAs(eps, "eps") == img);
  const std::string invalid = "Cannot load image. Invalid or unexpected EPS image format.";
  const std::string text = "%!PS-Adobe-3.0 EPSF-3.0\n";
  EXPECT_EQ(decodeError(Bytes(text.begin(), text.end()), "eps"), invalid);
  Bytes pastEnd = eps;
  setU32le(pastEnd, 24, static_cast<uint32_t>(tiff.size() + 1));
  EXPECT_EQ(decodeError(pastEnd, "eps"), invalid);
  EXPECT_EQ(decodeError(writeEps(text, {}), "eps"), invalid);  // no preview at all
  // The preview's own faults are TIFF faults.
  Bytes refused = tiff;
  patchTiffCompression(refused, 4);
  EXPECT_EQ(decodeError(writeEps(text, refused), "eps"), kCompressionRefused);
}

}  // namespace
}  // namespace lumabord::testing
