// Truevision Targa reader (tga, win, vst, vda, icb): colour-mapped, true-colour and grey
// pictures, raw or run-length encoded, 8/15/16/24/32 bits, any of the four origins.
#include <vector>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/picture_source.h"
#include "codecs/pixel_unpack.h"
#include "codecs/run_length.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "TGA";

enum ImageType : uint8_t { kMapped = 1, kTrue = 2, kGrey = 3, kRleFlag = 8 };

struct Header {
  uint8_t idLength, mapType, type;
  uint16_t mapFirst, mapLength;
  uint8_t mapEntryBits;
  uint16_t width, height;
  uint8_t depth, descriptor;
};

Header readHeader(ByteReader& in) {
  Header h{};
  h.idLength = in.u8();
  h.mapType = in.u8();
  h.type = in.u8();
  h.mapFirst = in.u16le();
  h.mapLength = in.u16le();
  h.mapEntryBits = in.u8();
  in.skip(4);  // x and y origin on the screen
  h.width = in.u16le();
  h.height = in.u16le();
  h.depth = in.u8();
  h.descriptor = in.u8();
  return h;
}

// A 5-5-5 pixel (the top bit, an overlay or alpha flag, is ignored: writers disagree on it).
Rgb from555(uint16_t v) {
  return {scaleToByte(v >> 10 & 31, 31), scaleToByte(v >> 5 & 31, 31), scaleToByte(v & 31, 31)};
}

// A colour of `bytes` (2, 3 or 4) bytes, B,G,R order; an alpha byte is put over white.
Rgb colourOf(const uint8_t* p, size_t bytes, bool useAlpha) {
  if (bytes == 2) return from555(loadU16le(p));
  if (bytes == 4 && useAlpha)
    return {overWhite(p[2], p[3]), overWhite(p[1], p[3]), overWhite(p[0], p[3])};
  return {p[2], p[1], p[0]};
}

}  // namespace

Image readTga(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  const Header h = readHeader(in);
  const int base = h.type & ~kRleFlag;
  const bool rle = (h.type & kRleFlag) != 0;
  if (h.type > 11 || base < kMapped || base > kGrey || h.mapType > 1) {
    if (h.type == 32 || h.type == 33) failUnsupportedCompression(kFormat);
    failInvalidFormat(kFormat);
  }
  const bool depthOk = base == kMapped ? (h.depth == 8 || h.depth == 16)
                       : base == kGrey
                           ? (h.depth == 8 || h.depth == 16)
                           : (h.depth == 15 || h.depth == 16 || h.depth == 24 || h.depth == 32);
  if (!depthOk) fail("Invalid color format in %s file.", kFormat);
  if (base == kMapped && h.mapType != 1)
    fail("Cannot load image. Palette in %s file is invalid.", kFormat);
  in.skip(h.idLength);

  // The colour map precedes the pixels even when the picture does not use it.
  Palette palette;
  if (h.mapType == 1) {
    const size_t entryBytes = (h.mapEntryBits + 7u) / 8u;
    if (entryBytes < 2 || entryBytes > 4)
      fail("Cannot load image. Palette in %s file is invalid.", kFormat);
    const auto map = in.bytes(size_t{h.mapLength} * entryBytes);
    for (size_t i = 0; i < h.mapLength; ++i)
      palette.add(colourOf(map.data() + i * entryBytes, entryBytes, h.mapEntryBits == 32));
  }

  const uint64_t pixels = checkPictureSize(source, kFormat, h.width, h.height);
  const size_t pixelBytes = (h.depth + 7u) / 8u;
  // Run-length packets hold at most 128 pixels in 1 + pixelBytes bytes.
  const uint64_t least = rle ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes;
  checkFileHolds(source, kFormat, least, in.remaining());

  const bool alpha = (h.descriptor & 0x0F) != 0;
  const bool rightToLeft = (h.descriptor & 0x10) != 0;
  const bool topDown = (h.descriptor & 0x20) != 0;
  Image image(h.width, h.height);
  const size_t rowBytes = size_t{h.width} * pixelBytes;
  // One file row at a time, straight into its picture row.
  std::vector<uint8_t> row(rle ? rowBytes : 0);
  PixelPacketStream packets(in, pixelBytes);
  for (int fileRow = 0; fileRow < h.height; ++fileRow) {
    const uint8_t* src = nullptr;
    if (rle) {
      packets.read(row);
      src = row.data();
    } else {
      src = in.bytes(rowBytes).data();
    }
    const int y = topDown ? fileRow : h.height - 1 - fileRow;
    for (int x = 0; x < h.width; ++x, src += pixelBytes) {
      const int dx = rightToLeft ? h.width - 1 - x : x;
      Rgb c;
      if (base == kMapped) {
        const size_t index = pixelBytes == 2 ? loadU16le(src) : src[0];
        c = index >= h.mapFirst ? palette[index - h.mapFirst] : Rgb{};
      } else if (base == kGrey) {
        const uint8_t v = pixelBytes == 2 && alpha ? overWhite(src[0], src[1]) : src[0];
        c = {v, v, v};
      } else {
        c = colourOf(src, pixelBytes, alpha);
      }
      image.setPixel(dx, y, c);
    }
  }
  return image;
}

}  // namespace lumabord
