// Raster operations: how what is drawn combines with the picture, bit by bit. A ternary
// operation code is the byte whose bit number 4P + 2S + D is the result for pattern
// (brush) bit P, source (bitmap) bit S and picture bit D; so 0xCC copies the source and
// 0xF0 the pattern. The binary modes of pens and brushes (1 black ... 13 copy ... 16 white)
// are the ternary operations that ignore the source.
#pragma once

#include <cstdint>

#include "base/image.h"

namespace lumabord {

constexpr uint8_t kRopSourceCopy = 0xCC;
constexpr uint8_t kRopPatternCopy = 0xF0;

[[nodiscard]] uint8_t ropBits(uint8_t code, uint8_t pattern, uint8_t source, uint8_t picture);
[[nodiscard]] Rgb applyRop(uint8_t code, Rgb pattern, Rgb source, Rgb picture);
// The ternary code of a binary mode; modes outside 1..16 copy.
[[nodiscard]] uint8_t ropOfBinaryMode(int mode);

}  // namespace lumabord
