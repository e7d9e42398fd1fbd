// Writers of WMF and EMF records and the bitmaps and texts they carry: the metafile
// reader tests' files and the fuzz targets' seeds.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "base/image.h"
#include "byte_writers.h"

namespace lumabord::testing {

// A bottom-up 24-bit bitmap (info header and bits) of rows given top row first.
inline Bytes dib(const std::vector<std::vector<Rgb>>& rows) {
  const unsigned w = static_cast<unsigned>(rows[0].size()), h = static_cast<unsigned>(rows.size());
  Bytes b;
  putU32le(b, 40);
  putU32le(b, w);
  putU32le(b, h);
  putU16le(b, 1);
  putU16le(b, 24);
  putZeros(b, 24);
  for (unsigned y = h; y-- > 0;) {
    for (const Rgb& c : rows[y]) {
      putU8(b, c.b);
      putU8(b, c.g);
      putU8(b, c.r);
    }
    putZeros(b, (4 - w * 3 % 4) % 4);
  }
  return b;
}

// An 8-bit run-length bitmap (info header, grey palette and bits) of w x h pixels whose
// bits are only the end-of-bitmap code: a few bytes that declare any size.
inline Bytes rle8Dib(uint32_t w, uint32_t h) {
  Bytes b;
  for (uint32_t v : {40u, w, h}) putU32le(b, v);
  putU16le(b, 1);
  putU16le(b, 8);
  putU32le(b, 1);  // RLE8
  putZeros(b, 20);
  putZeros(b, 4 * 256);
  b.insert(b.end(), {0, 1});  // end of bitmap
  return b;
}

inline const Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0};

// ---- WMF ----

class Wmf {
 public:
  // With bbox: the placeable header (units per inch 1440, so 15 units are one pixel).
  explicit Wmf(bool placeable, int right = 0, int bottom = 0) {
    if (placeable) {
      putU32le(b_, 0x9AC6CDD7);
      putU16le(b_, 0);
      for (int v : {0, 0, right, bottom}) putU16le(b_, static_cast<uint16_t>(v));
      putU16le(b_, 1440);
      putZeros(b_, 6);
    }
    putU16le(b_, 1);
    putU16le(b_, 9);
    putU16le(b_, 0x0300);
    putZeros(b_, 4);
    putU16le(b_, 4);  // objects
    putZeros(b_, 6);
  }
  Wmf& record(unsigned function, std::vector<int> words, const Bytes& tail = {}) {
    putU32le(b_, static_cast<uint32_t>(3 + words.size() + tail.size() / 2));
    putU16le(b_, function);
    for (int w : words) putU16le(b_, static_cast<uint16_t>(w));
    b_.insert(b_.end(), tail.begin(), tail.end());
    return *this;
  }
  Wmf& brush(Rgb c, unsigned style = 0) {
    return record(0x02FC, {static_cast<int>(style), c.r | c.g << 8, c.b, 0});
  }
  Wmf& pen(Rgb c, int width, unsigned style = 0) {
    return record(0x02FA, {static_cast<int>(style), width, 0, c.r | c.g << 8, c.b});
  }
  Wmf& select(int i) { return record(0x012D, {i}); }
  Bytes bytes() {
    Bytes out = b_;
    putU32le(out, 3);
    putU16le(out, 0);
    return out;
  }

 private:
  Bytes b_;
};

// The words of a WMF font record: height, escapement (the orientation too), face.
inline Bytes wmfFont(int height, int escapement, const std::string& face) {
  Bytes b;
  for (int v : {height, 0, escapement, escapement, 400}) putU16le(b, static_cast<uint16_t>(v));
  putZeros(b, 8);
  putText(b, face);
  putZeros(b, 32 - face.size());
  return b;
}

// META_TEXTOUT's words after the length: the string padded to a word, then y and x.
inline Bytes wmfText(const std::string& s, int x, int y) {
  Bytes b;
  putText(b, s);
  if (s.size() % 2) putU8(b, 0);
  putU16le(b, static_cast<uint16_t>(y));
  putU16le(b, static_cast<uint16_t>(x));
  return b;
}

// ---- EMF ----

class Emf {
 public:
  // Reference device of 10 pixels per millimetre; frame in 0.01 mm from (left, top).
  Emf(int left, int top, int right, int bottom) {
    putU32le(b_, 1);
    putU32le(b_, 88);
    putZeros(b_, 16);  // bounds
    for (int v : {left, top, right, bottom}) putU32le(b_, static_cast<uint32_t>(v));
    putU32le(b_, 0x464D4520);
    putU32le(b_, 0x10000);
    putZeros(b_, 8);
    putU16le(b_, 4);
    putZeros(b_, 14);
    putU32le(b_, 1000);
    putU32le(b_, 1000);
    putU32le(b_, 100);
    putU32le(b_, 100);
  }
  Emf& record(uint32_t type, std::vector<int32_t> values, const Bytes& tail = {}) {
    putU32le(b_, type);
    putU32le(b_, static_cast<uint32_t>(8 + 4 * values.size() + tail.size()));
    for (int32_t v : values) putU32le(b_, static_cast<uint32_t>(v));
    b_.insert(b_.end(), tail.begin(), tail.end());
    return *this;
  }
  Bytes bytes() {
    Bytes out = b_;
    putU32le(out, 14);
    putU32le(out, 20);
    putZeros(out, 12);
    return out;
  }

 private:
  Bytes b_;
};

inline int32_t ref(Rgb c) {
  return c.r | c.g << 8 | c.b << 16;
}

inline int32_t floatBits(float f) {
  int32_t v = 0;
  std::memcpy(&v, &f, sizeof v);
  return v;
}

inline std::vector<int32_t> xform(float m11, float m12, float m21, float m22, float dx, float dy) {
  return {floatBits(m11), floatBits(m12), floatBits(m21),
          floatBits(m22), floatBits(dx),  floatBits(dy)};
}

// EXTTEXTOUTW: bounds, graphics mode and scales, reference, count, string offset, options,
// rectangle, advances offset; the string and the advances follow.
inline Bytes emfTextTail(const std::u16string& s, int x, int y, int options, std::vector<int> rect,
                         const std::vector<int>& dx) {
  Bytes b;
  putZeros(b, 16);
  putU32le(b, 1);
  putZeros(b, 8);
  putU32le(b, static_cast<uint32_t>(x));
  putU32le(b, static_cast<uint32_t>(y));
  putU32le(b, static_cast<uint32_t>(s.size()));
  putU32le(b, 76);
  putU32le(b, static_cast<uint32_t>(options));
  for (int v : rect) putU32le(b, static_cast<uint32_t>(v));
  const size_t stringBytes = (s.size() * 2 + 3) / 4 * 4;
  putU32le(b, dx.empty() ? 0 : static_cast<uint32_t>(76 + stringBytes));
  for (char16_t c : s) putU16le(b, c);
  putZeros(b, stringBytes - s.size() * 2);
  for (int v : dx) putU32le(b, static_cast<uint32_t>(v));
  return b;
}

inline Bytes emfFont(int handle, int height, const std::u16string& face) {
  Bytes b;
  for (int v : {handle, height, 0, 0, 0, 700}) putU32le(b, static_cast<uint32_t>(v));
  putZeros(b, 8);
  for (char16_t c : face) putU16le(b, c);
  putZeros(b, 64 - face.size() * 2);
  return b;
}

// Files that use every kind of record the readers draw, for the fuzz targets to start from.
inline Bytes wmfSeed() {
  Wmf wmf(true, 480, 480);
  wmf.record(0x0103, {8}).record(0x020C, {32, 32}).record(0x020E, {32, 32});
  wmf.record(0x02FB, {}, wmfFont(-8, 300, "Arial")).select(0);
  wmf.record(0x0209, {0x00FF, 0}).record(0x012E, {24 | 6});
  wmf.record(0x0A32, {10, 16, 2, 6, 0, 0, 32, 12}, wmfText("Ab", 0, 0));
  wmf.record(0x0521, {1}, wmfText("x", 2, 20));
  Bytes region;
  for (int v : {0, 6, 0, 0, 0, 1, 0, 0, 0, 32, 32, 4, 0, 16, 0, 8, 20, 28, 4})
    putU16le(region, static_cast<uint16_t>(v));
  wmf.record(0x06FF, {}, region).record(0x001E, {}).record(0x012C, {1});
  wmf.record(0x0416, {30, 30, 2, 2}).record(0x0415, {6, 6, 4, 4}).record(0x0220, {1, 1});
  wmf.record(0x0142, {5, 0}, dib({{kRed, kBlue}, {kBlack, kWhite}})).select(2);
  wmf.record(0x081A, {0, 16, 16, 32, 32, 32, 0, 0}).record(0x0127, {0xFFFF});
  Bytes mono;
  for (int v : {0, 2, 2, 2}) putU16le(mono, static_cast<uint16_t>(v));
  mono.insert(mono.end(), {1, 1, 0x40, 0, 0x80, 0});
  wmf.record(0x0142, {3, 0}, mono).select(3).record(0x0104, {7});
  wmf.record(0x041B, {30, 30, 20, 20}).record(0x061D, {0x0009, 0x0055, 4, 4, 0, 0});
  wmf.record(0x0F43, {0x00C6, 0x0088, 0, 1, 1, 0, 0, 4, 4, 24, 24}, dib({{kWhite}}));
  return wmf.bytes();
}

inline Bytes emfSeed() {
  Emf emf(0, 0, 320, 320);
  emf.record(82, {}, emfFont(1, -9, u"Times New Roman")).record(37, {1});
  emf.record(24, {ref(kRed)}).record(22, {8 | 2});
  emf.record(84, {}, emfTextTail(u"\u00e9\u20ac", 30, 20, 2 | 4, {0, 0, 32, 12}, {6, 6}));
  emf.record(108, {2, 30, 2, 0x300, 1, 0, 0}, {'h', 'i', 0, 0});
  Bytes region;
  for (int v : {32, 1, 2, 32, 0, 0, 30, 20, 0, 0, 10, 20, 20, 0, 30, 20})
    putU32le(region, static_cast<uint32_t>(v));
  emf.record(33, {}).record(75, {static_cast<int32_t>(region.size()), 1}, region);
  emf.record(30, {1, 1, 31, 31}).record(29, {4, 4, 8, 8}).record(26, {1, 0});
  emf.record(59, {}).record(27, {0, 0}).record(54, {32, 0}).record(54, {0, 32});
  emf.record(61, {}).record(60, {}).record(67, {1});
  Bytes pattern;
  for (uint32_t v : {40u, 2u, 2u}) putU32le(pattern, v);
  putU16le(pattern, 1);
  putU16le(pattern, 1);
  putZeros(pattern, 24);
  for (uint32_t v : {0u, 0xFFFFFFu, 0x40u, 0x80u}) putU32le(pattern, v);
  emf.record(93, {2, 0, 32, 48, 80, 8}, pattern).record(37, {2});
  emf.record(47, {0, 0, 32, 32, 32, 16, 16, 0}).record(34, {-1});
  Bytes indexed(pattern.begin(), pattern.begin() + 40);  // its table: palette indices
  indexed.insert(indexed.end(), {0, 0, 1, 0, 0x40, 0, 0, 0, 0x80, 0, 0, 0});
  emf.record(94, {3, 1, 32, 44, 76, 8}, indexed);
  emf.record(37, {3}).record(20, {6}).record(43, {16, 16, 30, 30});
  return emf.bytes();
}

}  // namespace lumabord::testing
