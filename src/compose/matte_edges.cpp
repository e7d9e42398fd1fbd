// The edge-shadow ramps, with one 256-entry table per channel for each ramp step.
#include "compose/matte_edges.h"

#include <algorithm>
#include <array>

#include "base/rounding.h"

namespace lumabord {
namespace {

using Ramp = std::array<std::array<uint8_t, 256>, 3>;  // B, G, R

// towardShadow: p + MulDiv(k, K - p, s - 1); otherwise K + MulDiv(k, p - K, s - 1).
Ramp makeRamp(int k, int s, Rgb colour, bool towardShadow) {
  Ramp ramp{};
  const int shadow[3] = {colour.b, colour.g, colour.r};
  for (int c = 0; c < 3; ++c) {
    const int K = shadow[c];
    for (int p = 0; p < 256; ++p) {
      int v = K;
      if (s > 1) {
        v = towardShadow ? p + mulDiv(k, K - p, s - 1) : K + mulDiv(k, p - K, s - 1);
      }
      ramp[static_cast<size_t>(c)][static_cast<size_t>(p)] = static_cast<uint8_t>(v);
    }
  }
  return ramp;
}

struct Area {
  const Canvas& canvas;
  int ox, oy;
  Rect clip;  // in bitmap coordinates

  // Applies the ramp to bitmap row y, columns x0..x1 inclusive, as far as they are visible.
  void row(int y, int x0, int x1, const Ramp& ramp) const {
    if (y < clip.y || y >= clip.bottom()) return;
    x0 = std::max(x0, clip.x);
    x1 = std::min(x1, clip.right() - 1);
    if (x0 > x1) return;
    uint8_t* p = canvas.at(ox + x0, oy + y);
    for (int x = x0; x <= x1; ++x, p += 3) {
      p[0] = ramp[0][p[0]];
      p[1] = ramp[1][p[1]];
      p[2] = ramp[2][p[2]];
    }
  }
  void column(int x, const Ramp& ramp) const {
    if (x < clip.x || x >= clip.right()) return;
    for (int y = clip.y; y < clip.bottom(); ++y) {
      uint8_t* p = canvas.at(ox + x, oy + y);
      p[0] = ramp[0][p[0]];
      p[1] = ramp[1][p[1]];
      p[2] = ramp[2][p[2]];
    }
  }
};

}  // namespace

void shadeMatteEdgesRegion(const Canvas& canvas, int originX, int originY, int width, int height,
                           const Rect& clip, int size, Rgb colour) {
  if (size < 1 || width <= 0 || height <= 0) return;
  Rect visible = intersect(intersect(clip, canvas.bounds()), {originX, originY, width, height});
  if (visible.empty()) return;
  visible.x -= originX;
  visible.y -= originY;
  const Area area{canvas, originX, originY, visible};
  const int s = size;
  // Steps whose row or column would lie outside the bitmap (sizes above its width or
  // height) are left out; the others are applied in order.
  for (int k = std::max(0, s - width); k < s; ++k) {
    area.column(width - s + k, makeRamp(k, s, colour, true));
  }
  for (int k = 0; k < s && k < width; ++k) area.column(k, makeRamp(k, s, colour, false));
  for (int i = std::max(0, s - height); i < s; ++i) {
    area.row(height - s + i, s - i, width - 1 - s + i, makeRamp(i, s, colour, true));
  }
  for (int i = 0; i < s && i < height; ++i) {
    area.row(i, i, width - 1 - i, makeRamp(i, s, colour, false));
  }
}

void ShadeMatteEdges(Image& bitmap, int size, Rgb colour) {
  const Canvas canvas(bitmap);
  shadeMatteEdgesRegion(canvas, 0, 0, bitmap.width(), bitmap.height(), canvas.bounds(), size,
                        colour);
}

}  // namespace lumabord
