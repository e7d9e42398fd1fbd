// Paintshop Pro reader: composite bank of version 6+ files, the first layer of version 5
// files, every compression, indexed, grey and 24-bit pictures, bad input.
#include <zlib.h>

#include "codecs/reader_test_support.h"

namespace lumabord::testing {
namespace {

struct PspFile {
  int major = 6;
  Bytes b;
  explicit PspFile(int version) : major(version) {
    const std::string signature = "Paint Shop Pro Image File\n\x1a";
    putText(b, signature);
    putZeros(b, 32 - signature.size());
    putU16le(b, static_cast<unsigned>(major));
    putU16le(b, 0);
  }
};

// A block: version 5 gives the initial data length in the header, later versions start
// each chunk with its own length (already part of `initial` there).
Bytes block(int major, unsigned id, const Bytes& initial, const Bytes& rest) {
  Bytes b = {'~', 'B', 'K', 0};
  putU16le(b, id);
  if (major <= 5) putU32le(b, static_cast<uint32_t>(initial.size()));
  putU32le(b, static_cast<uint32_t>(initial.size() + rest.size()));
  b.insert(b.end(), initial.begin(), initial.end());
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

// A chunk of fields, prefixed by its length from version 6 on.
Bytes chunk(int major, const Bytes& fields) {
  Bytes b;
  if (major > 5) putU32le(b, static_cast<uint32_t>(fields.size() + 4));
  b.insert(b.end(), fields.begin(), fields.end());
  return b;
}

Bytes code(const Bytes& raw, unsigned compression) {
  if (compression == 0) return raw;
  Bytes out;
  if (compression == 1) {
    // Runs of equal bytes as c - 128 repeats, the rest as literals of one.
    for (size_t i = 0; i < raw.size();) {
      size_t n = 1;
      while (i + n < raw.size() && raw[i + n] == raw[i] && n < 127) ++n;
      if (n > 1) {
        putU8(out, 128 + static_cast<unsigned>(n));
        putU8(out, raw[i]);
      } else {
        putU8(out, 1);
        putU8(out, raw[i]);
      }
      i += n;
    }
    return out;
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  out.resize(size);
  compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
  out.resize(size);
  return out;
}

Bytes channelBlock(int major, unsigned channelType, const Bytes& raw, unsigned compression) {
  const Bytes coded = code(raw, compression);
  Bytes info;
  putU32le(info, static_cast<uint32_t>(coded.size()));
  putU32le(info, static_cast<uint32_t>(raw.size()));
  putU16le(info, 0);
  putU16le(info, channelType);
  return block(major, 5, chunk(major, info), coded);
}

Bytes imageAttributes(int major, int w, int h, unsigned bits, unsigned compression, bool grey) {
  Bytes f;
  putU32le(f, static_cast<uint32_t>(w));
  putU32le(f, static_cast<uint32_t>(h));
  putZeros(f, 9);
  putU16le(f, compression);
  putU16le(f, bits);
  putU16le(f, 1);
  putU32le(f, 0);
  putU8(f, grey ? 1 : 0);
  putZeros(f, 14);
  return block(major, 0, chunk(major, f), {});
}

const int kW = 5, kH = 3;
Rgb colourAt(int x, int y) {
  return {static_cast<uint8_t>(x * 50), static_cast<uint8_t>(y == 1 ? 77 : 200), static_cast<uint8_t>(x + y * 10)};
}

// Channel rows of the 24-bit test picture, rows padded to 4 bytes when asked.
Bytes plane(int channel, bool padded) {
  Bytes b;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const Rgb c = colourAt(x, y);
      putU8(b, channel == 1 ? c.r : channel == 2 ? c.g : c.b);
    }
    if (padded) putZeros(b, 3);
  }
  return b;
}

Bytes compositeFile(unsigned compression, bool padded) {
  const int major = 6;
  PspFile f(major);
  const Bytes general = imageAttributes(major, kW, kH, 24, compression, false);
  f.b.insert(f.b.end(), general.begin(), general.end());
  Bytes attributes;
  putU32le(attributes, kW);
  putU32le(attributes, kH);
  putU16le(attributes, 24);
  putU16le(attributes, compression);
  putU16le(attributes, 1);
  putU32le(attributes, 0);
  putU16le(attributes, 0);  // the full composite
  Bytes image;
  putU16le(image, 1);
  putU16le(image, 3);
  Bytes channels;
  for (int c = 1; c <= 3; ++c) {
    const Bytes ch = channelBlock(major, static_cast<unsigned>(c), plane(c, padded), compression);
    channels.insert(channels.end(), ch.begin(), ch.end());
  }
  Bytes bankInfo;
  putU32le(bankInfo, 1);
  Bytes bankBody = block(major, 17, chunk(major, attributes), {});
  const Bytes composite = block(major, 9, chunk(major, image), channels);
  bankBody.insert(bankBody.end(), composite.begin(), composite.end());
  const Bytes bank = block(major, 16, chunk(major, bankInfo), bankBody);
  f.b.insert(f.b.end(), bank.begin(), bank.end());
  return f.b;
}

void expectPicture(const Image& image) {
  ASSERT_EQ(image.width(), kW);
  ASSERT_EQ(image.height(), kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) EXPECT_EQ(image.pixel(x, y), colourAt(x, y)) << x << "," << y;
}

TEST(PspReader, CompositeInEveryCompression) {
  for (unsigned compression : {0u, 1u, 2u}) {
    for (bool padded : {false, true}) expectPicture(decodeAs(compositeFile(compression, padded), "psp"));
  }
}

// A version 5 file without composite: a layer bank with one 4-bit indexed layer.
Bytes version5File(bool withPalette) {
  const int major = 5;
  PspFile f(major);
  const Bytes general = imageAttributes(major, 4, 2, 4, 1, !withPalette);
  f.b.insert(f.b.end(), general.begin(), general.end());
  if (withPalette) {
    Bytes count;
    putU32le(count, 16);
    Bytes entries;
    for (unsigned i = 0; i < 16; ++i) {
      putU8(entries, i * 16);  // blue
      putU8(entries, 100);
      putU8(entries, 255 - i);
      putU8(entries, 0);
    }
    const Bytes palette = block(major, 2, count, entries);
    f.b.insert(f.b.end(), palette.begin(), palette.end());
  }
  Bytes info(256, 0);
  putU8(info, 0);
  for (unsigned v : {0u, 0u, 4u, 2u}) putU32le(info, v);
  putZeros(info, 60);
  const Bytes channel = channelBlock(major, 0, {0x01, 0x23, 0xFE, 0xDC}, 1);
  const Bytes layer = block(major, 4, info, channel);
  const Bytes bank = block(major, 3, {}, layer);
  f.b.insert(f.b.end(), bank.begin(), bank.end());
  return f.b;
}

TEST(PspReader, FirstLayerOfVersion5IndexedAndGrey) {
  const Image indexed = decodeAs(version5File(true), "psp");
  ASSERT_EQ(indexed.width(), 4);
  EXPECT_EQ(indexed.pixel(1, 0), (Rgb{254, 100, 16}));
  EXPECT_EQ(indexed.pixel(0, 1), (Rgb{240, 100, 240}));
  // Without a palette the 4-bit indices are grey levels i * 17.
  const Image grey = decodeAs(version5File(false), "psp");
  EXPECT_EQ(grey.pixel(3, 0), (Rgb{51, 51, 51}));
  EXPECT_EQ(grey.pixel(3, 1), (Rgb{204, 204, 204}));
}

TEST(PspReader, RefusesBadHeadersAndData) {
  Bytes file = compositeFile(2, false);
  Bytes bad = file;
  bad[0] = 'Q';
  EXPECT_EQ(decodeError(bad, "psp"), "Cannot load image. Invalid or unexpected PSP image format.");
  Bytes brokenZlib = file;
  brokenZlib[brokenZlib.size() - 3] ^= 0xFF;
  EXPECT_EQ(decodeError(brokenZlib, "psp"), "LZ77 decompression error.");
  Bytes cut = file;
  cut.resize(cut.size() - 10);
  EXPECT_EQ(decodeError(cut, "psp"), "Stream read error in PSP file.");
  PspFile empty(6);
  const Bytes general = imageAttributes(6, 2, 2, 24, 0, false);
  empty.b.insert(empty.b.end(), general.begin(), general.end());
  EXPECT_EQ(decodeError(empty.b, "psp"), "Cannot load image test.psp: the PSP file holds no picture");
  PspFile deep(6);
  const Bytes g16 = imageAttributes(6, 2, 2, 16, 0, false);
  deep.b.insert(deep.b.end(), g16.begin(), g16.end());
  EXPECT_EQ(decodeError(deep.b, "psp"), "Invalid color format in PSP file.");
  PspFile huge(6);
  const Bytes gh = imageAttributes(6, 100000, 100000, 24, 0, false);
  huge.b.insert(huge.b.end(), gh.begin(), gh.end());
  EXPECT_EQ(decodeError(huge.b, "psp"),
            "Cannot load image test.psp: 100000 x 100000 pixels exceed the limit of 268435456 pixels");
}

}  // namespace
}  // namespace lumabord::testing
