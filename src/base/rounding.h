// The three rounding rules the program's arithmetic is specified with.
#pragma once

#include <cmath>
#include <cstdint>

namespace lumabord {

// Round to nearest, halves to the even neighbour: 10.5 -> 10, 11.5 -> 12.
[[nodiscard]] inline int64_t roundHalfEven(double value) {
  return static_cast<int64_t>(std::nearbyint(value));  // default FE_TONEAREST mode
}

// a * b / q rounded to nearest with halves away from zero; q must not be 0.
[[nodiscard]] constexpr int32_t mulDiv(int32_t a, int32_t b, int32_t q) {
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t absProduct = product < 0 ? -product : product;
  const int64_t absQ = q < 0 ? -static_cast<int64_t>(q) : q;
  const int64_t magnitude = (2 * absProduct + absQ) / (2 * absQ);
  return static_cast<int32_t>(((product < 0) != (q < 0)) ? -magnitude : magnitude);
}

}  // namespace lumabord
