// Generated files of the newer readers' formats, shared by their tests and the fuzz seed
// corpus: each builder writes one valid file of a layout the reader handles.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/image.h"
#include "byte_writers.h"

namespace lumabord::testing {

namespace cel_files {

inline Bytes celFile(unsigned w, unsigned h, const Bytes& pixels, unsigned bits = 8,
                     unsigned compression = 0) {
  Bytes b;
  putU16le(b, 0x9119);
  putU16le(b, w);
  putU16le(b, h);
  putZeros(b, 4);
  putU8(b, bits);
  putU8(b, compression);
  putU32le(b, static_cast<uint32_t>(pixels.size()));
  putZeros(b, 32 - b.size());
  for (unsigned i = 0; i < 256; ++i) {
    putU8(b, i % 64);
    putU8(b, 63 - i % 64);
    putU8(b, i / 4);
  }
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

}  // namespace cel_files

namespace cut_files {

// 4 x 2: row 0 a run of three 7s and a literal 200; row 1 literals 1, 2 then the end.
inline Bytes cutFile() {
  Bytes b;
  putU16le(b, 4);
  putU16le(b, 2);
  putU16le(b, 0);
  const Bytes rows[2] = {{0x83, 7, 0x01, 200, 0}, {0x02, 1, 2, 0}};
  for (const Bytes& row : rows) {
    putU16le(b, static_cast<unsigned>(row.size()));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

inline Bytes paletteFile(unsigned count) {
  Bytes b = {'A', 'H'};
  putU16le(b, 0xE3);
  putU16le(b, 0);
  putU8(b, 'P');
  putU8(b, 0);
  putU16le(b, 0);
  putU16le(b, 0);
  putU16le(b, count - 1);
  for (int i = 0; i < 3; ++i) putU16le(b, 1000);  // components run 0..1000
  putZeros(b, 20);
  for (unsigned i = 0; i < count; ++i) {
    // 78 triples fill the first block (40 + 468 bytes); the 4 bytes left are padding.
    if (b.size() % 512 + 6 > 512) putZeros(b, 512 - b.size() % 512);
    putU16le(b, i * 3);
    putU16le(b, 1000 - i * 3);
    putU16le(b, 500);
  }
  return b;
}

}  // namespace cut_files

namespace pcd_files {

// A Photo-CD file whose base image has luma x/3 + y/4 and chroma that depends on the
// 2 x 2 block, with neutral chroma (156, 137) in the top-left block.
inline Bytes pcdFile(int rotation) {
  Bytes b(0x30000, 0);
  const char* signature = "PCD_IPI";
  std::copy(signature, signature + 7, b.begin() + 0x800);
  b[0xE02] = static_cast<uint8_t>(rotation);
  for (int y = 0; y < 512; y += 2) {
    for (int row = 0; row < 2; ++row)
      for (int x = 0; x < 768; ++x) putU8(b, (x / 3 + (y + row) / 4) & 0xFF);
    for (int x = 0; x < 384; ++x) putU8(b, x == 0 && y == 0 ? 156 : (x + y) & 0xFF);
    for (int x = 0; x < 384; ++x) putU8(b, x == 0 && y == 0 ? 137 : (2 * x + y) & 0xFF);
  }
  return b;
}

}  // namespace pcd_files

namespace pcx_files {

// 16 distinct header palette colours.
inline Rgb egaColour(unsigned i) {
  return {static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i * 15),
          static_cast<uint8_t>(i * 7 + 3)};
}

// A file of `lines` (each plane's bytes of one row, concatenated), run-length coded with the
// count-flagged scheme: every byte as a run of one, so values >= 0xC0 are coded too.
inline Bytes pcxFile(int bits, int planes, int w, int h, size_t bytesPerLine, const Bytes& lines,
                     const Bytes& trailer = {}) {
  Bytes b;
  putU8(b, 0x0A);
  putU8(b, 5);
  putU8(b, 1);
  putU8(b, bits);
  putU16le(b, 10);  // xMin, yMin: the size is the difference
  putU16le(b, 20);
  putU16le(b, 10 + w - 1);
  putU16le(b, 20 + h - 1);
  putU16le(b, 72);
  putU16le(b, 72);
  for (unsigned i = 0; i < 16; ++i) {
    const Rgb c = egaColour(i);
    putU8(b, c.r);
    putU8(b, c.g);
    putU8(b, c.b);
  }
  putU8(b, 0);
  putU8(b, planes);
  putU16le(b, static_cast<unsigned>(bytesPerLine));
  putU16le(b, 1);
  putZeros(b, 128 - b.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    // Pairs of equal bytes become one run of two; everything else a run of one.
    if (i + 1 < lines.size() && lines[i] == lines[i + 1]) {
      putU8(b, 0xC2);
      putU8(b, lines[i]);
      ++i;
    } else {
      putU8(b, 0xC1);
      putU8(b, lines[i]);
    }
  }
  b.insert(b.end(), trailer.begin(), trailer.end());
  return b;
}

}  // namespace pcx_files

namespace psd_files {

struct PsdSpec {
  unsigned mode = 3, channels = 3, depth = 8, width = 3, height = 2;
  bool packBits = false;
  Bytes colourData;
  std::vector<Bytes> rows;  // each channel's rows in order, already at the file's depth
};

inline Bytes psdFile(const PsdSpec& s) {
  Bytes b;
  putText(b, "8BPS");
  putU16be(b, 1);
  putZeros(b, 6);
  putU16be(b, s.channels);
  putU32be(b, s.height);
  putU32be(b, s.width);
  putU16be(b, s.depth);
  putU16be(b, s.mode);
  putU32be(b, static_cast<uint32_t>(s.colourData.size()));
  b.insert(b.end(), s.colourData.begin(), s.colourData.end());
  putU32be(b, 12);  // one resource block the reader must skip
  putText(b, "8BIM");
  putZeros(b, 8);
  putU32be(b, 0);  // no layers
  putU16be(b, s.packBits ? 1 : 0);
  if (!s.packBits) {
    for (const Bytes& row : s.rows) b.insert(b.end(), row.begin(), row.end());
    return b;
  }
  // PackBits: the first byte as a literal, the rest as one repeat when they are equal,
  // else as literals.
  std::vector<Bytes> packed;
  for (const Bytes& row : s.rows) {
    Bytes p;
    const bool rest = row.size() > 2 && std::all_of(row.begin() + 1, row.end(),
                                                    [&](uint8_t v) { return v == row[1]; });
    if (rest) {
      putU8(p, 0);
      putU8(p, row[0]);
      putU8(p, 257 - (row.size() - 1));
      putU8(p, row[1]);
    } else {
      putU8(p, static_cast<unsigned>(row.size() - 1));
      p.insert(p.end(), row.begin(), row.end());
    }
    packed.push_back(p);
  }
  for (const Bytes& p : packed) putU16be(b, static_cast<unsigned>(p.size()));
  for (const Bytes& p : packed) b.insert(b.end(), p.begin(), p.end());
  return b;
}

}  // namespace psd_files

namespace rla_files {

inline unsigned sample(unsigned x, unsigned y, unsigned c) {
  return (x * 40 + y * 70 + c * 90 + 3) & 0xFF;
}

// A w x h file with `colour` colour channels and `matte` mattes; each channel row is coded
// as one literal packet for all but the last byte and a run of one for the last.
inline Bytes rlaFile(unsigned w, unsigned h, unsigned colour, unsigned matte) {
  Bytes b;
  for (int v : {0, int(w) - 1, 0, int(h) - 1, 0, int(w) - 1, 0, int(h) - 1})
    putU16be(b, static_cast<uint16_t>(v));
  putU16be(b, 0);
  putU16be(b, 0);
  putU16be(b, colour);
  putU16be(b, matte);
  putU16be(b, 0);
  putU16be(b, 0xFFFE);
  putZeros(b, 658 - b.size());
  putU16be(b, 8);
  putU16be(b, 0);
  putU16be(b, 8);
  putZeros(b, 740 - b.size());
  const size_t table = b.size();
  putZeros(b, 4 * h);
  for (unsigned row = 0; row < h; ++row) {
    const unsigned y = h - 1 - row;  // bottom row first
    const size_t at = b.size();
    for (int k = 0; k < 4; ++k) b[table + 4 * row + k] = static_cast<uint8_t>(at >> (24 - 8 * k));
    for (unsigned c = 0; c < colour + matte; ++c) {
      Bytes packed;
      putU8(packed, 256 - (w - 1));
      for (unsigned x = 0; x + 1 < w; ++x) putU8(packed, sample(x, y, c));
      putU8(packed, 0);
      putU8(packed, sample(w - 1, y, c));
      putU16be(b, static_cast<unsigned>(packed.size()));
      b.insert(b.end(), packed.begin(), packed.end());
    }
  }
  return b;
}

}  // namespace rla_files

namespace sgi_files {

// Sample of channel z at (x, y) counted from the top row.
inline unsigned sample(unsigned x, unsigned y, unsigned z, bool wide) {
  const unsigned v = (x * 50 + y * 90 + z * 70 + 5) % 256;
  return wide ? v * 257 + x : v;
}

inline Bytes sgiHeader(bool rle, bool wide, unsigned dimension, unsigned w, unsigned h,
                       unsigned z) {
  Bytes b;
  putU16be(b, 474);
  putU8(b, rle ? 1 : 0);
  putU8(b, wide ? 2 : 1);
  putU16be(b, dimension);
  putU16be(b, w);
  putU16be(b, h);
  putU16be(b, z);
  putU32be(b, 0);
  putU32be(b, wide ? 65535 : 255);
  putZeros(b, 512 - b.size());
  return b;
}

inline void putSample(Bytes& b, unsigned v, bool wide) {
  if (wide)
    putU16be(b, v);
  else
    putU8(b, v);
}

// The file of the test pattern; run-length rows are one literal packet and one repeat.
inline Bytes sgiFile(bool rle, bool wide, unsigned w, unsigned h, unsigned z) {
  Bytes b = sgiHeader(rle, wide, z > 1 ? 3 : 2, w, h, z);
  if (!rle) {
    for (unsigned c = 0; c < z; ++c)
      for (unsigned row = 0; row < h; ++row)
        for (unsigned x = 0; x < w; ++x) putSample(b, sample(x, h - 1 - row, c, wide), wide);
    return b;
  }
  const size_t tableAt = b.size();
  putZeros(b, size_t{8} * h * z);
  for (unsigned c = 0; c < z; ++c) {
    for (unsigned row = 0; row < h; ++row) {
      const size_t start = b.size();
      const unsigned y = h - 1 - row;
      putSample(b, 0x80 | (w - 1), wide);  // literal samples for all but the last
      for (unsigned x = 0; x + 1 < w; ++x) putSample(b, sample(x, y, c, wide), wide);
      putSample(b, 1, wide);  // the last as a run of one
      putSample(b, sample(w - 1, y, c, wide), wide);
      putSample(b, 0, wide);
      const size_t i = size_t{c} * h + row;
      for (int k = 0; k < 4; ++k) {
        b[tableAt + 4 * i + k] = static_cast<uint8_t>(start >> (24 - 8 * k));
        b[tableAt + 4 * (h * z + i) + k] = static_cast<uint8_t>((b.size() - start) >> (24 - 8 * k));
      }
    }
  }
  return b;
}

}  // namespace sgi_files

namespace tga_files {

inline Bytes tgaHeader(unsigned type, unsigned depth, unsigned descriptor, unsigned w, unsigned h,
                       unsigned mapLength = 0, unsigned mapBits = 0, unsigned mapFirst = 0) {
  Bytes b;
  putU8(b, 3);  // id length: the id text is skipped
  putU8(b, mapLength ? 1 : 0);
  putU8(b, type);
  putU16le(b, mapFirst);
  putU16le(b, mapLength);
  putU8(b, mapBits);
  putZeros(b, 4);
  putU16le(b, w);
  putU16le(b, h);
  putU8(b, depth);
  putU8(b, descriptor);
  putText(b, "id!");
  return b;
}

// A 4 x 3 test pattern of distinct colours.
inline Rgb patternColour(int x, int y) {
  return {static_cast<uint8_t>(40 * x + 7), static_cast<uint8_t>(60 * y + 3),
          static_cast<uint8_t>(x * y * 17 + 100)};
}

// The pixels of the pattern in file order for the given origin, 24 or 32 bits.
inline Bytes patternPixels(bool topDown, bool rightToLeft, int bytes) {
  Bytes b;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) {
      const int y = topDown ? row : 2 - row, x = rightToLeft ? 3 - col : col;
      const Rgb c = patternColour(x, y);
      putU8(b, c.b);
      putU8(b, c.g);
      putU8(b, c.r);
      if (bytes == 4) putU8(b, 255);
    }
  }
  return b;
}

}  // namespace tga_files

namespace psp_files {

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
inline Bytes block(int major, unsigned id, const Bytes& initial, const Bytes& rest) {
  Bytes b = {'~', 'B', 'K', 0};
  putU16le(b, id);
  if (major <= 5) putU32le(b, static_cast<uint32_t>(initial.size()));
  putU32le(b, static_cast<uint32_t>(initial.size() + rest.size()));
  b.insert(b.end(), initial.begin(), initial.end());
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

// A chunk of fields, prefixed by its length from version 6 on.
inline Bytes chunk(int major, const Bytes& fields) {
  Bytes b;
  if (major > 5) putU32le(b, static_cast<uint32_t>(fields.size() + 4));
  b.insert(b.end(), fields.begin(), fields.end());
  return b;
}

inline Bytes code(const Bytes& raw, unsigned compression) {
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

inline Bytes channelBlock(int major, unsigned channelType, const Bytes& raw, unsigned compression) {
  const Bytes coded = code(raw, compression);
  Bytes info;
  putU32le(info, static_cast<uint32_t>(coded.size()));
  putU32le(info, static_cast<uint32_t>(raw.size()));
  putU16le(info, 0);
  putU16le(info, channelType);
  return block(major, 5, chunk(major, info), coded);
}

inline Bytes imageAttributes(int major, int w, int h, unsigned bits, unsigned compression,
                             bool grey) {
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

inline constexpr int kW = 5, kH = 3;
inline Rgb colourAt(int x, int y) {
  return {static_cast<uint8_t>(x * 50), static_cast<uint8_t>(y == 1 ? 77 : 200),
          static_cast<uint8_t>(x + y * 10)};
}

// Channel rows of the 24-bit test picture, rows padded to 4 bytes when asked.
inline Bytes plane(int channel, bool padded) {
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

// A version 6 file of a w x h 24-bit picture whose composite bank holds `channels`, channel
// blocks laid end to end.
inline Bytes compositeOf(unsigned w, unsigned h, unsigned compression, const Bytes& channels) {
  const int major = 6;
  PspFile f(major);
  const Bytes general =
      imageAttributes(major, static_cast<int>(w), static_cast<int>(h), 24, compression, false);
  f.b.insert(f.b.end(), general.begin(), general.end());
  Bytes attributes;
  putU32le(attributes, w);
  putU32le(attributes, h);
  putU16le(attributes, 24);
  putU16le(attributes, compression);
  putU16le(attributes, 1);
  putU32le(attributes, 0);
  putU16le(attributes, 0);  // the full composite
  Bytes image;
  putU16le(image, 1);
  putU16le(image, 3);
  Bytes bankInfo;
  putU32le(bankInfo, 1);
  Bytes bankBody = block(major, 17, chunk(major, attributes), {});
  const Bytes composite = block(major, 9, chunk(major, image), channels);
  bankBody.insert(bankBody.end(), composite.begin(), composite.end());
  const Bytes bank = block(major, 16, chunk(major, bankInfo), bankBody);
  f.b.insert(f.b.end(), bank.begin(), bank.end());
  return f.b;
}

inline Bytes compositeFile(unsigned compression, bool padded) {
  Bytes channels;
  for (int c = 1; c <= 3; ++c) {
    const Bytes ch = channelBlock(6, static_cast<unsigned>(c), plane(c, padded), compression);
    channels.insert(channels.end(), ch.begin(), ch.end());
  }
  return compositeOf(kW, kH, compression, channels);
}

}  // namespace psp_files

}  // namespace lumabord::testing
