// ApplyFrameMask: nine-zone stretch of a BevelMask over a block of pixels, and the per-byte
// shading rule it applies.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "base/image.h"
#include "compose/bevel_mask.h"

namespace lumabord {

// New channel value for value v under mask value m: m <= 126 gives floor(v * m / 128),
// 127 and 128 keep v, m >= 129 gives v + floor((255 - v) * (m - 128) / 128).
[[nodiscard]] constexpr uint8_t shadeByte(uint8_t v, uint8_t m) {
  if (m <= 126) return static_cast<uint8_t>(v * m / 128);
  if (m <= 128) return v;
  return static_cast<uint8_t>(v + (255 - v) * (m - 128) / 128);
}

[[nodiscard]] constexpr bool shadeKeeps(uint8_t m) {
  return m == 127 || m == 128;
}

// The mask row (or column) used at position pos of a block of length size, for a mask of
// length maskSize with half = maskSize / 2: the first `half` positions use the mask's first
// entries, the last `half` positions its last entries, everything between the middle entry.
// For odd masks that is the whole rule. For even masks the middle entry is maskSize / 2, the
// first entry of the second half, and the last `half` positions still map onto the last
// `half` entries, so no index leaves the mask. A mask of length 1 has no corner zones: every
// position uses entry 0. When the block is shorter than the mask (which PaintLayer never
// asks for) the leading zone wins where the two corner zones overlap, and the index is
// clamped to the mask.
[[nodiscard]] constexpr int maskIndex(int pos, int size, int maskSize) {
  const int half = maskSize / 2;
  int index = half;
  if (pos < half) {
    index = pos;
  } else if (pos >= size - half) {
    index = maskSize - (size - pos);
  }
  return std::clamp(index, 0, maskSize - 1);
}

// Shades the pixels of layer row `layerY` from layer column x0 to x1 (exclusive), in place;
// row points at the pixel of column x0. The layer is layerW x layerH.
void shadeMaskedRow(uint8_t* row, int x0, int x1, int layerY, int layerW, int layerH,
                    const BevelMask& mask);

// Shades a w x h block of B,G,R pixels (rows `stride` bytes apart) in place. An empty mask
// leaves the block unchanged.
void ApplyFrameMask(uint8_t* pixels, size_t stride, int w, int h, const BevelMask& mask);
void ApplyFrameMask(Image& image, const BevelMask& mask);

}  // namespace lumabord
