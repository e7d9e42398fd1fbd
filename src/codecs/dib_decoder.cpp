// Decoding of device-independent bitmap headers, palettes and pixel bits.
#include "codecs/dib_decoder.h"

#include <array>
#include <cstring>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/pixel_unpack.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "BMP";

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

[[noreturn]] void failNotValid() {
  fail("Bitmap image is not valid");
}

// An RLE file can skip any area with a few bytes; real ones stay far below this many
// pixels per byte, and the bound keeps a tiny file from claiming a huge picture.
constexpr uint64_t kRlePixelsPerByte = 4096;

struct Header {
  uint32_t size = 0;
  int64_t width = 0;
  int64_t height = 0;  // of the colour bits, positive
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kRgb;
  uint32_t coloursUsed = 0;
  std::array<uint32_t, 4> masks{};  // red, green, blue, alpha
  bool hasMasks = false;
  int paletteEntryBytes = 4;
};

Header readHeader(ByteReader& in, bool icon) {
  Header h;
  h.size = in.u32le();
  if (h.size == 12) {
    h.width = in.u16le();
    h.height = in.u16le();  // unsigned in OS/2 1.x headers: always bottom-up
    in.skip(2);
    h.bits = in.u16le();
    h.paletteEntryBytes = 3;
  } else if (h.size >= 16 && h.size <= 1024) {
    // OS/2 2.x headers may stop after any field; what is missing reads as zero.
    std::array<uint8_t, 124> raw{};
    const auto body = in.bytes(h.size - 4);
    // raw holds the header from its size field on, so offsets match the documented ones.
    std::memcpy(raw.data() + 4, body.data(), std::min<size_t>(body.size(), raw.size() - 4));
    const uint8_t* p = raw.data();
    h.width = static_cast<int32_t>(loadU32le(p + 4));
    const int32_t height = static_cast<int32_t>(loadU32le(p + 8));
    if (height == INT32_MIN) failNotValid();
    h.topDown = height < 0;
    h.height = height < 0 ? -int64_t{height} : height;
    h.bits = loadU16le(p + 14);
    h.compression = loadU32le(p + 16);
    h.coloursUsed = loadU32le(p + 32);
    // OS/2 2.x: 3 is Huffman 1D and 4 is RLE24, neither of which is supported.
    if (h.size == 64 && (h.compression == 3 || h.compression == 4))
      failUnsupportedCompression(kFormat);
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
      h.hasMasks = true;
      const int count = h.compression == kAlphaBitFields ? 4 : 3;
      if (h.size >= 52) {
        for (int i = 0; i < count; ++i) h.masks[i] = loadU32le(p + 40 + 4 * i);
      } else {
        for (int i = 0; i < count; ++i) h.masks[i] = in.u32le();
      }
      if (h.size >= 56) h.masks[3] = loadU32le(p + 52);
    }
  } else {
    failNotValid();
  }
  if (icon) {
    h.height /= 2;
    h.topDown = false;
  }
  switch (h.compression) {
    case kRgb:
      if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        failNotValid();
      break;
    case kRle8:
      if (h.bits != 8) failNotValid();
      break;
    case kRle4:
      if (h.bits != 4) failNotValid();
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (h.bits != 16 && h.bits != 32) failNotValid();
      break;
    default:
      failUnsupportedCompression(kFormat);
  }
  if (h.compression == kRgb && h.bits == 16) h.masks = {0x7C00, 0x03E0, 0x001F, 0};
  if (h.compression == kRgb && h.bits == 32) h.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  return h;
}

Palette readPalette(ByteReader& in, const Header& h) {
  if (h.bits > 8) {
    // A colour table beside direct colours is only a hint for displays: skip it.
    if (h.coloursUsed)
      in.skip(uint64_t{h.coloursUsed} * static_cast<uint64_t>(h.paletteEntryBytes));
    return {};
  }
  uint64_t count = h.coloursUsed ? h.coloursUsed : (uint64_t{1} << h.bits);
  if (count > 256) fail("Cannot load image. Palette in %s file is invalid.", kFormat);
  if (count * static_cast<uint64_t>(h.paletteEntryBytes) > in.remaining()) {
    fail("Cannot load image. Palette in %s file is invalid.", kFormat);
  }
  Palette palette;
  for (uint64_t i = 0; i < count; ++i) {
    const auto e = in.bytes(static_cast<uint64_t>(h.paletteEntryBytes));
    palette.add({e[2], e[1], e[0]});
  }
  return palette;
}

struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
};

Channel channelOf(uint32_t mask) {
  Channel c{mask, 0, 0};
  if (!mask) return c;
  c.shift = __builtin_ctz(mask);
  c.max = mask >> c.shift;
  return c;
}

uint8_t extract(uint32_t value, const Channel& c) {
  return c.mask ? scaleToByte((value & c.mask) >> c.shift, c.max) : 0;
}

// RLE8/RLE4 straight into the picture (no index plane: a few bytes of deltas may stand for
// the whole picture); untouched pixels keep the colour of index 0. row(fileRow) gives the
// picture row of a file row.
template <typename RowOf>
void decodeRle(ByteReader& in, const Header& h, const Palette& palette, RowOf row) {
  const int64_t w = h.width, ht = h.height;
  const Rgb background = palette[0];
  for (int64_t r = 0; r < ht; ++r) {
    uint8_t* p = row(static_cast<size_t>(r));
    for (int64_t x = 0; x < w; ++x, p += 3) {
      p[0] = background.b;
      p[1] = background.g;
      p[2] = background.r;
    }
  }
  int64_t x = 0, y = 0;
  auto put = [&](uint8_t v) {
    if (x < w && y < ht) {
      const Rgb c = palette[v];
      uint8_t* p = row(static_cast<size_t>(y)) + 3 * x;
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
    }
    ++x;
  };
  while (y < ht && in.remaining() >= 2) {
    const uint8_t count = in.u8();
    const uint8_t code = in.u8();
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        if (h.bits == 8) {
          put(code);
        } else {
          put(i % 2 == 0 ? code >> 4 : code & 0x0F);
        }
      }
    } else if (code == 0) {
      x = 0;
      ++y;
    } else if (code == 1) {
      break;
    } else if (code == 2) {
      x += in.u8();
      y += in.u8();
    } else {
      const size_t dataBytes = h.bits == 8 ? code : (code + 1u) / 2;
      const auto data = in.bytes(dataBytes + (dataBytes & 1));
      for (int i = 0; i < code; ++i) {
        if (h.bits == 8) {
          put(data[static_cast<size_t>(i)]);
        } else {
          const uint8_t b = data[static_cast<size_t>(i / 2)];
          put(i % 2 == 0 ? b >> 4 : b & 0x0F);
        }
      }
    }
  }
}

}  // namespace

int dibBitCount(std::span<const uint8_t> data) {
  if (data.size() < 16) return 0;
  const uint32_t size = loadU32le(data.data());
  if (size == 12) return loadU16le(data.data() + 10);
  return size >= 16 ? loadU16le(data.data() + 14) : 0;
}

DibPicture decodeDib(std::span<const uint8_t> data, const DibLayout& layout,
                     const PictureSource& source) {
  ByteReader in(data, kFormat);
  in.seek(layout.headerOffset);
  const Header h = readHeader(in, layout.icon);
  const Palette palette = readPalette(in, h);
  if (h.width <= 0 || h.height <= 0) failNotValid();
  checkPictureSize(source, kFormat, h.width, h.height);
  if (layout.pixelOffset && *layout.pixelOffset >= in.position()) in.seek(*layout.pixelOffset);

  const size_t w = static_cast<size_t>(h.width);
  const size_t ht = static_cast<size_t>(h.height);
  const bool rle = h.compression == kRle8 || h.compression == kRle4;
  const uint64_t rowBytes = (uint64_t{w} * static_cast<uint64_t>(h.bits) + 31) / 32 * 4;
  if (rle) {
    checkFileHolds(source, kFormat, (uint64_t{w} * ht + kRlePixelsPerByte - 1) / kRlePixelsPerByte,
                   in.remaining());
  } else {
    // The last row's padding is often missing; everything before it must be there.
    checkFileHolds(source, kFormat, rowBytes * (ht - 1) + packedBytes(w, h.bits), in.remaining());
  }

  DibPicture out{Image(static_cast<int>(w), static_cast<int>(ht)), {}};
  auto imageRow = [&](size_t fileRow) {
    return out.image.row(static_cast<int>(h.topDown ? fileRow : ht - 1 - fileRow));
  };
  std::vector<uint8_t> alpha;
  bool anyAlpha = false;
  if (rle) {
    decodeRle(in, h, palette, imageRow);
  } else {
    std::vector<uint8_t> unpacked(h.bits <= 8 ? w : 0);
    const Channel red = channelOf(h.masks[0]), green = channelOf(h.masks[1]),
                  blue = channelOf(h.masks[2]), alphaChannel = channelOf(h.masks[3]);
    if (layout.icon && h.bits == 32) alpha.resize(w * ht);
    for (size_t r = 0; r < ht; ++r) {
      const auto bits = in.bytes(std::min<uint64_t>(rowBytes, in.remaining()));
      uint8_t* dst = imageRow(r);
      if (h.bits <= 8) {
        unpackSamples(bits, h.bits, w, unpacked.data());
        palette.expand(unpacked.data(), w, dst);
      } else if (h.bits == 24) {
        std::memcpy(dst, bits.data(), w * 3);
      } else {
        const size_t step = static_cast<size_t>(h.bits / 8);
        uint8_t* a = alpha.empty() ? nullptr : alpha.data() + (ht - 1 - r) * w;
        for (size_t x = 0; x < w; ++x, dst += 3) {
          const uint8_t* p = bits.data() + x * step;
          const uint32_t v = step == 2 ? loadU16le(p) : loadU32le(p);
          dst[0] = extract(v, blue);
          dst[1] = extract(v, green);
          dst[2] = extract(v, red);
          if (a) {
            a[x] = alphaChannel.mask ? extract(v, alphaChannel) : p[3];
            anyAlpha |= a[x] != 0;
          }
        }
      }
    }
  }
  if (anyAlpha) {
    out.alpha = std::move(alpha);
  } else if (layout.icon) {
    // The AND mask: 1 bit per pixel, rows padded to 4 bytes, bottom-up; set bits are
    // transparent. Icons cut short of their mask are shown opaque.
    const uint64_t maskRow = (uint64_t{w} + 31) / 32 * 4;
    if (maskRow * ht <= in.remaining()) {
      out.alpha.assign(w * ht, 255);
      std::vector<uint8_t> bits(w);
      for (size_t r = 0; r < ht; ++r) {
        unpackSamples(in.bytes(maskRow), 1, w, bits.data());
        uint8_t* a = out.alpha.data() + (ht - 1 - r) * w;
        for (size_t x = 0; x < w; ++x) a[x] = bits[x] ? 0 : 255;
      }
    }
  }
  return out;
}

}  // namespace lumabord
