// PaintLayer: a rectangle of flat colour or tiled texture, shaded by a bevel mask, laid
// over a target with clipping.
#pragma once

#include "base/image.h"
#include "compose/bevel_mask.h"
#include "compose/canvas.h"

namespace lumabord {

// What a layer is made of. texture and mask may be null. A non-null texture must not be
// empty; its copies start at the layer's own top-left corner.
struct LayerSurface {
  Rgb colour;
  const Image* texture = nullptr;
  const BevelMask* mask = nullptr;
};

// Paints the part of the layer `layer` (in canvas coordinates) that lies inside `region`,
// exactly as PaintLayer would leave those pixels. Pixels outside the region keep their value.
void paintLayerRegion(const Canvas& canvas, const Rect& layer, const LayerSurface& surface,
                      const Rect& region);

// Paints a w x h layer with its top-left corner at (x, y) of target: texture copies at
// (i * tw, j * th) from the layer's corner (the colour is then unused), else the colour;
// shaded with the mask only when w >= mask width and h >= mask height; pixels outside the
// target are dropped and the layer replaces what it covers.
void PaintLayer(Image& target, int x, int y, int w, int h, Rgb colour, const Image* texture,
                const BevelMask* mask);

}  // namespace lumabord
