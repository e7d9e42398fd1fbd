// The layer painter: writes the surface straight into the target, no layer image needed,
// because a layer replaces every pixel it covers.
#include "compose/paint_layer.h"

#include <cstring>

#include "compose/frame_mask.h"

namespace lumabord {
namespace {

// Writes count pixels of texture row ty, starting at texture column tx, tiling horizontally.
void tileRow(uint8_t* out, const Image& texture, int tx, int ty, int count) {
  const uint8_t* src = texture.row(ty);
  const int tw = texture.width();
  while (count > 0) {
    const int run = std::min(count, tw - tx);
    std::memcpy(out, src + 3 * tx, 3 * static_cast<size_t>(run));
    out += 3 * static_cast<size_t>(run);
    count -= run;
    tx = 0;
  }
}

void fillRow(uint8_t* out, Rgb c, int count) {
  for (int i = 0; i < count; ++i) {
    out[3 * i] = c.b;
    out[3 * i + 1] = c.g;
    out[3 * i + 2] = c.r;
  }
}

}  // namespace

void paintLayerRegion(const Canvas& canvas, const Rect& layer, const LayerSurface& surface,
                      const Rect& region) {
  const Rect r = intersect(intersect(layer, region), canvas.bounds());
  if (r.empty()) return;
  const BevelMask* mask = surface.mask;
  const bool shade = mask && !mask->empty() && layer.w >= mask->width && layer.h >= mask->height;
  const size_t rowBytes = 3 * static_cast<size_t>(r.w);
  const int lx0 = r.x - layer.x;
  // A row equals the row one texture height above it (one row above without a texture)
  // when both take the same mask row: copy it instead of tiling and shading again.
  const int period = surface.texture ? surface.texture->height() : 1;
  for (int y = r.y; y < r.bottom(); ++y) {
    const int ly = y - layer.y;
    uint8_t* out = canvas.at(r.x, y);
    if (y - period >= r.y && (!shade || maskIndex(ly - period, layer.h, mask->height) ==
                                            maskIndex(ly, layer.h, mask->height))) {
      std::memcpy(out, canvas.at(r.x, y - period), rowBytes);
      continue;
    }
    if (surface.texture) {
      tileRow(out, *surface.texture, lx0 % surface.texture->width(), ly % period, r.w);
    } else {
      fillRow(out, surface.colour, r.w);
    }
    if (shade) shadeMaskedRow(out, lx0, lx0 + r.w, ly, layer.w, layer.h, *mask);
  }
}

void PaintLayer(Image& target, int x, int y, int w, int h, Rgb colour, const Image* texture,
                const BevelMask* mask) {
  const Canvas canvas(target);
  paintLayerRegion(canvas, {x, y, w, h}, {colour, texture, mask}, canvas.bounds());
}

}  // namespace lumabord
