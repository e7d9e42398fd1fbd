// Photoshop reader (psd, pdd): the merged composite image that follows the layers, for
// bitmap, greyscale, indexed, RGB, CMYK and duotone files of 8 or 16 bits, raw or PackBits.
#include <algorithm>
#include <vector>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/picture_source.h"
#include "codecs/pixel_unpack.h"
#include "codecs/run_length.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "PSD";

enum Mode : uint16_t {
  kBitmap = 0,
  kGrey = 1,
  kIndexed = 2,
  kRgb = 3,
  kCmyk = 4,
  kDuotone = 8,
};

// Colour channels each mode needs; further channels (alpha, spot colours) are not drawn.
unsigned channelsOf(uint16_t mode) {
  switch (mode) {
    case kRgb:
      return 3;
    case kCmyk:
      return 4;
    default:
      return 1;
  }
}

// Reads each channel's rows as 8-bit samples and hands them to sink(channel, y, samples)
// one row at a time, so no channel is ever held whole.
template <typename Sink>
void readPlanes(ByteReader& in, uint16_t compression, unsigned fileChannels, unsigned used,
                uint32_t width, uint32_t height, int depth, Sink sink) {
  const size_t rowBytes = depth == 1 ? packedBytes(width, 1) : size_t{width} * (depth / 8);
  std::vector<uint8_t> row(rowBytes);
  std::vector<uint32_t> counts;
  if (compression == 1) {
    // The byte counts of every row of every channel come first.
    const auto table = in.bytes(uint64_t{fileChannels} * height * 2);
    counts.resize(size_t{fileChannels} * height);
    for (size_t i = 0; i < counts.size(); ++i) counts[i] = loadU16be(&table[2 * i]);
  }
  std::vector<uint8_t> samples(width);
  for (unsigned c = 0; c < used; ++c) {
    for (uint32_t y = 0; y < height; ++y) {
      if (compression == 1) {
        // Each row is decoded from exactly its own bytes, so one bad row cannot shift the rest.
        ByteReader packed(in.bytes(counts[size_t{c} * height + y]), kFormat);
        unpackPackBits(packed, row);
      } else {
        const auto raw = in.bytes(rowBytes);
        std::copy(raw.begin(), raw.end(), row.begin());
      }
      uint8_t* out = samples.data();
      if (depth == 1) {
        unpackSamples(row, 1, width, out);
        for (size_t x = 0; x < width; ++x) out[x] = out[x] ? 0 : 255;  // set bits are black
      } else if (depth == 16) {
        for (size_t x = 0; x < width; ++x) out[x] = scaleToByte(loadU16be(&row[2 * x]), 65535);
      } else {
        std::copy_n(row.begin(), width, out);
      }
      sink(c, y, out);
    }
  }
}

}  // namespace

Image readPsd(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  if (in.size() < 4 || loadU32be(in.all().data()) != 0x38425053)
    failInvalidFormat(kFormat);  // "8BPS"
  in.skip(4);
  const uint16_t version = in.u16be();
  in.skip(6);
  const uint16_t channels = in.u16be();
  const uint32_t height = in.u32be();
  const uint32_t width = in.u32be();
  const uint16_t depth = in.u16be();
  const uint16_t mode = in.u16be();
  if (version != 1 || channels == 0 || channels > 56) failInvalidFormat(kFormat);
  const bool modeKnown = mode == kBitmap || mode == kGrey || mode == kIndexed || mode == kRgb ||
                         mode == kCmyk || mode == kDuotone;
  const bool depthKnown =
      mode == kBitmap ? depth == 1 : (depth == 8 || (depth == 16 && mode != kIndexed));
  if (!modeKnown || !depthKnown || channels < channelsOf(mode))
    fail("Invalid color format in %s file.", kFormat);
  checkPictureSize(source, kFormat, width, height);

  const auto colourData = in.bytes(in.u32be());
  Palette palette;
  if (mode == kIndexed) {
    // 256 reds, then 256 greens, then 256 blues.
    if (colourData.size() < 768) fail("Cannot load image. Palette in %s file is invalid.", kFormat);
    for (size_t i = 0; i < 256; ++i)
      palette.add({colourData[i], colourData[256 + i], colourData[512 + i]});
  }
  in.skip(in.u32be());  // image resources
  in.skip(in.u32be());  // layers and masks: the composite below already merges them
  const uint16_t compression = in.u16be();
  if (compression > 1) failUnsupportedCompression(kFormat);

  const unsigned used = channelsOf(mode);
  const uint64_t rowBytes = depth == 1 ? packedBytes(width, 1) : uint64_t{width} * (depth / 8);
  // PackBits spends at least 2 bytes per 128 bytes of a row, plus the row's count.
  const uint64_t least =
      compression == 1
          ? uint64_t{channels} * height * 2 + uint64_t{used} * height * ((rowBytes + 127) / 128 * 2)
          : uint64_t{used} * height * rowBytes;
  checkFileHolds(source, kFormat, least, in.remaining());

  // Channels go straight into the picture: colour channels into their own byte of each
  // pixel, a single index or grey channel into the first byte until it is expanded below.
  Image image(static_cast<int>(width), static_cast<int>(height));
  readPlanes(in, compression, channels, used, width, height, depth,
             [&](unsigned c, uint32_t y, const uint8_t* samples) {
               uint8_t* out = image.row(static_cast<int>(y));
               if (used == 1) {
                 for (size_t x = 0; x < width; ++x) out[3 * x] = samples[x];
               } else if (c < 3) {
                 for (size_t x = 0; x < width; ++x) out[3 * x + 2 - c] = samples[x];
               } else {
                 // CMYK samples are stored inverted (255 is no ink): R = C' * K' / 255.
                 for (size_t x = 0; x < width; ++x, out += 3) {
                   const unsigned k = samples[x];
                   for (int i = 0; i < 3; ++i)
                     out[i] = static_cast<uint8_t>((out[i] * k + 127) / 255);
                 }
               }
             });
  if (used == 1) {
    for (uint32_t y = 0; y < height; ++y) {
      uint8_t* out = image.row(static_cast<int>(y));
      for (size_t x = 0; x < width; ++x, out += 3) {
        const uint8_t v = out[0];
        // Bitmap, grey, and duotone drawn as its grey base; indexed through the palette.
        const Rgb c = mode == kIndexed ? palette[v] : Rgb{v, v, v};
        out[0] = c.b;
        out[1] = c.g;
        out[2] = c.r;
      }
    }
  }
  return image;
}

}  // namespace lumabord
