// The nine-zone shading loop, with one lookup table row per mask value.
#include "compose/frame_mask.h"

#include <array>

namespace lumabord {
namespace {

using ShadeTable = std::array<std::array<uint8_t, 256>, 256>;

const ShadeTable& shadeTable() {
  static const ShadeTable table = [] {
    ShadeTable t{};
    for (int m = 0; m < 256; ++m) {
      for (int v = 0; v < 256; ++v) {
        t[static_cast<size_t>(m)][static_cast<size_t>(v)] =
            shadeByte(static_cast<uint8_t>(v), static_cast<uint8_t>(m));
      }
    }
    return t;
  }();
  return table;
}

void shadeRun(uint8_t* p, int count, uint8_t m) {
  if (shadeKeeps(m)) return;
  const std::array<uint8_t, 256>& lut = shadeTable()[m];
  for (int i = 0; i < 3 * count; ++i) p[i] = lut[p[i]];
}

}  // namespace

void shadeMaskedRow(uint8_t* row, int x0, int x1, int layerY, int layerW, int layerH,
                    const BevelMask& mask) {
  if (mask.empty() || x0 >= x1) return;
  const uint8_t* maskRow =
      &mask.values[static_cast<size_t>(maskIndex(layerY, layerH, mask.height)) *
                   static_cast<size_t>(mask.width)];
  const int half = mask.width / 2;
  // The middle band [half, layerW - half) uses one mask value; the corners vary per column.
  const int midStart = std::clamp(half, x0, x1);
  const int midEnd = std::clamp(layerW - half, midStart, x1);
  for (int x = x0; x < midStart; ++x) {
    shadeRun(row + 3 * (x - x0), 1, maskRow[maskIndex(x, layerW, mask.width)]);
  }
  if (midEnd > midStart) {
    shadeRun(row + 3 * (midStart - x0), midEnd - midStart,
             maskRow[maskIndex(midStart, layerW, mask.width)]);
  }
  for (int x = midEnd; x < x1; ++x) {
    shadeRun(row + 3 * (x - x0), 1, maskRow[maskIndex(x, layerW, mask.width)]);
  }
}

void ApplyFrameMask(uint8_t* pixels, size_t stride, int w, int h, const BevelMask& mask) {
  for (int y = 0; y < h; ++y) {
    shadeMaskedRow(pixels + stride * static_cast<size_t>(y), 0, w, y, w, h, mask);
  }
}

void ApplyFrameMask(Image& image, const BevelMask& mask) {
  ApplyFrameMask(image.data(), image.stride(), image.width(), image.height(), mask);
}

}  // namespace lumabord
