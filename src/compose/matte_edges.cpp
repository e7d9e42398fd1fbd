// The edge-shadow ramps: long lines through one 256-entry table per channel and step,
// short ones (the sides of a band of rows) pixel by pixel.
#include "compose/matte_edges.h"

#include <algorithm>
#include <array>

#include "base/rounding.h"

namespace lumabord {
namespace {

// One step of a ramp: towardShadow gives p + MulDiv(k, K - p, s - 1), otherwise
// K + MulDiv(k, p - K, s - 1), for channel value p and shadow channel K.
struct Step {
  int k, s;
  Rgb colour;
  bool towardShadow;

  [[nodiscard]] uint8_t apply(int K, int p) const {
    if (s <= 1) return static_cast<uint8_t>(K);
    return static_cast<uint8_t>(towardShadow ? p + mulDiv(k, K - p, s - 1)
                                             : K + mulDiv(k, p - K, s - 1));
  }
};

// A step as one 256-entry table per channel (B, G, R), worth making for long lines.
using Ramp = std::array<std::array<uint8_t, 256>, 3>;

Ramp makeRamp(const Step& step) {
  Ramp ramp{};
  const int shadow[3] = {step.colour.b, step.colour.g, step.colour.r};
  for (size_t c = 0; c < 3; ++c) {
    for (int p = 0; p < 256; ++p) ramp[c][static_cast<size_t>(p)] = step.apply(shadow[c], p);
  }
  return ramp;
}

// Pixels from which a line is shaded through a table rather than pixel by pixel.
constexpr int kRampPixels = 256;

// Shades count pixels, each stride bytes after the previous one.
void shadeLine(uint8_t* p, int count, size_t stride, const Step& step) {
  if (count >= kRampPixels) {
    const Ramp ramp = makeRamp(step);
    for (int i = 0; i < count; ++i, p += stride) {
      p[0] = ramp[0][p[0]];
      p[1] = ramp[1][p[1]];
      p[2] = ramp[2][p[2]];
    }
    return;
  }
  for (int i = 0; i < count; ++i, p += stride) {
    p[0] = step.apply(step.colour.b, p[0]);
    p[1] = step.apply(step.colour.g, p[1]);
    p[2] = step.apply(step.colour.r, p[2]);
  }
}

struct Area {
  const Canvas& canvas;
  int ox, oy;
  Rect clip;  // in bitmap coordinates

  // Applies the step to bitmap row y, columns x0..x1 inclusive, as far as they are visible.
  void row(int y, int x0, int x1, const Step& step) const {
    if (y < clip.y || y >= clip.bottom()) return;
    x0 = std::max(x0, clip.x);
    x1 = std::min(x1, clip.right() - 1);
    if (x0 > x1) return;
    shadeLine(canvas.at(ox + x0, oy + y), x1 - x0 + 1, 3, step);
  }
  void column(int x, const Step& step) const {
    if (x < clip.x || x >= clip.right()) return;
    shadeLine(canvas.at(ox + x, oy + clip.y), clip.h, canvas.stride, step);
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
    area.column(width - s + k, {k, s, colour, true});
  }
  for (int k = 0; k < s && k < width; ++k) area.column(k, {k, s, colour, false});
  for (int i = std::max(0, s - height); i < s; ++i) {
    area.row(height - s + i, s - i, width - 1 - s + i, {i, s, colour, true});
  }
  for (int i = 0; i < s && i < height; ++i) area.row(i, i, width - 1 - i, {i, s, colour, false});
}

void ShadeMatteEdges(Image& bitmap, int size, Rgb colour) {
  const Canvas canvas(bitmap);
  shadeMatteEdgesRegion(canvas, 0, 0, bitmap.width(), bitmap.height(), canvas.bounds(), size,
                        colour);
}

}  // namespace lumabord
