// Sample unpacking and palette expansion shared by the readers of indexed and low-depth
// formats: samples of 1, 2, 4 or 8 bits packed most significant bit first (BMP, PCX, TGA,
// PSD, SGI, PNM, ...) become one byte each, and indices become B,G,R pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/image.h"

namespace lumabord {

// Bytes that `count` samples of `bits` bits occupy, rounded up to whole bytes.
[[nodiscard]] constexpr size_t packedBytes(size_t count, int bits) {
  return (count * static_cast<size_t>(bits) + 7) / 8;
}

// Unpacks `count` samples of `bits` (1, 2, 4 or 8) bits from `packed`, first sample in the
// most significant bits of the first byte, into dst (one byte per sample, value unscaled).
// Throws Error when `packed` is shorter than packedBytes(count, bits) or bits is not one of
// the four depths.
void unpackSamples(std::span<const uint8_t> packed, int bits, size_t count, uint8_t* dst);

// value * 255 / maxValue rounded to nearest: widens a sample of any depth to 8 bits.
[[nodiscard]] constexpr uint8_t scaleToByte(uint32_t value, uint32_t maxValue) {
  if (maxValue == 0) return 0;
  if (value >= maxValue) return 255;
  return static_cast<uint8_t>((uint64_t{value} * 255 + maxValue / 2) / maxValue);
}

// A colour table. Indices at or beyond its size expand to black: files with short palettes
// exist and decode that way, and a bad index must never read outside the table.
class Palette {
 public:
  Palette() = default;
  explicit Palette(std::vector<Rgb> colours) : colours_(std::move(colours)) {}

  size_t size() const { return colours_.size(); }
  bool empty() const { return colours_.empty(); }
  void add(Rgb c) { colours_.push_back(c); }
  Rgb operator[](size_t index) const { return index < colours_.size() ? colours_[index] : Rgb{}; }

  // The 2^bits grey levels 0..255 evenly spaced (a 1-bit table is black, white).
  static Palette greyRamp(int bits);

  // Writes count B,G,R pixels for the indices to bgr.
  void expand(const uint8_t* indices, size_t count, uint8_t* bgr) const;

 private:
  std::vector<Rgb> colours_;
};

// Writes count B,G,R pixels for 8-bit grey values.
void expandGrey(const uint8_t* grey, size_t count, uint8_t* bgr);

}  // namespace lumabord
