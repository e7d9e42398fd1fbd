// Generated Windows metafiles and enhanced metafiles, shared by their reader tests and the
// fuzz seed corpus: a header, then the records a test adds, then the end record.
#pragma once

#include <cstdint>
#include <vector>

#include "base/image.h"
#include "byte_writers.h"

namespace lumabord::testing::metafile_files {

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

}  // namespace lumabord::testing::metafile_files
