// The nine-zone shading loop: one mask value per pixel in the corner zones, one per run in
// the stretched middle.
#include "compose/frame_mask.h"

namespace lumabord {
namespace {

// shadeByte over 3 * count bytes with one mask value, written as plain shifts so that the
// compiler vectorises the long middle runs (floor of a non-negative value / 128 is >> 7).
void shadeRun(uint8_t* p, int count, uint8_t m) {
  const int bytes = 3 * count;
  if (m <= 126) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>((p[i] * m) >> 7);
  } else if (m >= 129) {
    const int k = m - 128;
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(p[i] + (((255 - p[i]) * k) >> 7));
  }
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
