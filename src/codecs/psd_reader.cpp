// Photoshop reader (psd, pdd): the merged composite image that follows the layers, for
// bitmap, greyscale, indexed, RGB, CMYK and duotone files of 8 or 16 bits, raw or PackBits.
#include <algorithm>
#include <vector>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/pixel_unpack.h"
#include "codecs/picture_source.h"
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

// Reads each channel's rows as 8-bit samples into planes (planes[c] is width * height).
void readPlanes(ByteReader& in, uint16_t compression, unsigned fileChannels, unsigned used,
                uint32_t width, uint32_t height, int depth, std::vector<std::vector<uint8_t>>& planes) {
  const size_t rowBytes = depth == 1 ? packedBytes(width, 1) : size_t{width} * (depth / 8);
  std::vector<uint8_t> row(rowBytes);
  std::vector<uint32_t> counts;
  if (compression == 1) {
    // The byte counts of every row of every channel come first.
    const auto table = in.bytes(uint64_t{fileChannels} * height * 2);
    counts.resize(size_t{fileChannels} * height);
    for (size_t i = 0; i < counts.size(); ++i) counts[i] = loadU16be(&table[2 * i]);
  }
  for (unsigned c = 0; c < used; ++c) {
    planes[c].resize(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y) {
      if (compression == 1) {
        // Each row is decoded from exactly its own bytes, so one bad row cannot shift the rest.
        ByteReader packed(in.bytes(counts[size_t{c} * height + y]), kFormat);
        unpackPackBits(packed, row);
      } else {
        const auto raw = in.bytes(rowBytes);
        std::copy(raw.begin(), raw.end(), row.begin());
      }
      uint8_t* out = planes[c].data() + size_t{y} * width;
      if (depth == 1) {
        unpackSamples(row, 1, width, out);
        for (size_t x = 0; x < width; ++x) out[x] = out[x] ? 0 : 255;  // set bits are black
      } else if (depth == 16) {
        for (size_t x = 0; x < width; ++x) out[x] = scaleToByte(loadU16be(&row[2 * x]), 65535);
      } else {
        std::copy_n(row.begin(), width, out);
      }
    }
  }
}

}  // namespace

Image readPsd(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  if (in.size() < 4 || loadU32be(in.all().data()) != 0x38425053) failInvalidFormat(kFormat);  // "8BPS"
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
  const bool depthKnown = mode == kBitmap ? depth == 1 : (depth == 8 || (depth == 16 && mode != kIndexed));
  if (!modeKnown || !depthKnown || channels < channelsOf(mode))
    fail("Invalid color format in %s file.", kFormat);
  checkPictureSize(source, kFormat, width, height);

  const auto colourData = in.bytes(in.u32be());
  Palette palette;
  if (mode == kIndexed) {
    // 256 reds, then 256 greens, then 256 blues.
    if (colourData.size() < 768) fail("Cannot load image. Palette in %s file is invalid.", kFormat);
    for (size_t i = 0; i < 256; ++i) palette.add({colourData[i], colourData[256 + i], colourData[512 + i]});
  }
  in.skip(in.u32be());  // image resources
  in.skip(in.u32be());  // layers and masks: the composite below already merges them
  const uint16_t compression = in.u16be();
  if (compression > 1) failUnsupportedCompression(kFormat);

  const unsigned used = channelsOf(mode);
  const uint64_t rowBytes = depth == 1 ? packedBytes(width, 1) : uint64_t{width} * (depth / 8);
  // PackBits spends at least 2 bytes per 128 bytes of a row, plus the row's count.
  const uint64_t least = compression == 1
                             ? uint64_t{channels} * height * 2 + uint64_t{used} * height * ((rowBytes + 127) / 128 * 2)
                             : uint64_t{used} * height * rowBytes;
  checkFileHolds(source, kFormat, least, in.remaining());

  std::vector<std::vector<uint8_t>> planes(used);
  readPlanes(in, compression, channels, used, width, height, depth, planes);

  Image image(static_cast<int>(width), static_cast<int>(height));
  const size_t pixels = size_t{width} * height;
  uint8_t* out = image.data();
  for (size_t i = 0; i < pixels; ++i, out += 3) {
    Rgb c;
    switch (mode) {
      case kIndexed:
        c = palette[planes[0][i]];
        break;
      case kRgb:
        c = {planes[0][i], planes[1][i], planes[2][i]};
        break;
      case kCmyk: {
        // Samples are stored inverted (255 is no ink): R = C' * K' / 255.
        const unsigned k = planes[3][i];
        c = {static_cast<uint8_t>((planes[0][i] * k + 127) / 255),
             static_cast<uint8_t>((planes[1][i] * k + 127) / 255),
             static_cast<uint8_t>((planes[2][i] * k + 127) / 255)};
        break;
      }
      default:  // bitmap, grey, and duotone drawn as its grey base
        c = {planes[0][i], planes[0][i], planes[0][i]};
    }
    out[0] = c.b;
    out[1] = c.g;
    out[2] = c.r;
  }
  return image;
}

}  // namespace lumabord
