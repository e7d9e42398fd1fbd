// Rectangles and a writable view of 24-bit pixel rows: what the renderer paints into.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "base/image.h"

namespace lumabord {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;

  [[nodiscard]] bool empty() const { return w <= 0 || h <= 0; }
  [[nodiscard]] int right() const { return x + w; }
  [[nodiscard]] int bottom() const { return y + h; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

[[nodiscard]] Rect intersect(const Rect& a, const Rect& b);

// a without b, as up to four disjoint bands (top, bottom, left, right); b is clipped to a
// first. Returns the number of bands written.
int subtract(const Rect& a, const Rect& b, std::array<Rect, 4>& bands);

// Rows of B,G,R bytes; (0, 0) is the top-left pixel of data.
struct Canvas {
  uint8_t* data = nullptr;
  size_t stride = 0;
  int width = 0;
  int height = 0;

  explicit Canvas(Image& image)
      : data(image.data()), stride(image.stride()), width(image.width()), height(image.height()) {}
  Canvas(uint8_t* pixels, size_t rowStride, int w, int h)
      : data(pixels), stride(rowStride), width(w), height(h) {}

  [[nodiscard]] Rect bounds() const { return {0, 0, width, height}; }
  [[nodiscard]] uint8_t* at(int x, int y) const {
    return data + stride * static_cast<size_t>(y) + 3 * static_cast<size_t>(x);
  }
};

}  // namespace lumabord
