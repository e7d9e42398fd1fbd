// Overflow-checked size arithmetic: every size read from a file goes through these
// before it is used to allocate or index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace lumabord {

// Limits that every decoder and every working image respects.
struct Limits {
  // 2^28 pixels: a 16384 x 16384 image, about 768 MB at 24 bits.
  static constexpr uint64_t kMaxPixels = uint64_t{1} << 28;
  static constexpr int kMaxSide = 1 << 20;
  // The largest file read into memory: a picture of kMaxPixels at 32 bits stored plainly,
  // plus room for its headers. Larger files are refused before a byte is read.
  static constexpr uint64_t kMaxFileBytes = kMaxPixels * 4 + (uint64_t{1} << 20);
};

[[nodiscard]] constexpr std::optional<size_t> checkedMul(size_t a, size_t b) {
  size_t result = 0;
  if (__builtin_mul_overflow(a, b, &result)) return std::nullopt;
  return result;
}

[[nodiscard]] constexpr std::optional<size_t> checkedAdd(size_t a, size_t b) {
  size_t result = 0;
  if (__builtin_add_overflow(a, b, &result)) return std::nullopt;
  return result;
}

// True when a width x height image (both >= 0) stays inside Limits::kMaxPixels.
[[nodiscard]] constexpr bool pixelCountAllowed(int64_t width, int64_t height) {
  if (width < 0 || height < 0) return false;
  if (width > Limits::kMaxSide || height > Limits::kMaxSide) return false;
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= Limits::kMaxPixels;
}

}  // namespace lumabord
