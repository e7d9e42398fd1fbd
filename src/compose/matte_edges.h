// ShadeMatteEdges: the outer matte's edge shadow, four linear ramps toward a colour.
#pragma once

#include "base/image.h"
#include "compose/canvas.h"

namespace lumabord {

// Lays the ramps on a W x H bitmap, in this order, each on the result of the previous one
// (channel p, shadow channel K, MulDiv rounding halves away from zero):
//   right:  column W - s + k  becomes p + MulDiv(k, K - p, s - 1), k = 0..s-1
//   left:   column k          becomes K + MulDiv(k, p - K, s - 1)
//   bottom: row H - s + i, columns s - i .. W - 1 - s + i, become p + MulDiv(i, K - p, s - 1)
//   top:    row i, columns i .. W - 1 - i, become K + MulDiv(i, p - K, s - 1)
// Rows and columns outside the bitmap are skipped, so sizes above half the bitmap only
// shade what exists. A size of 1 makes a one-pixel border of the shadow colour (the
// outermost line of each ramp is K; there is no inner line to keep). Sizes below 1 do
// nothing.
void ShadeMatteEdges(Image& bitmap, int size, Rgb colour);

// The same ramps for a W x H bitmap whose top-left pixel lies at `origin` of the canvas,
// writing only the pixels inside `clip` (canvas coordinates).
void shadeMatteEdgesRegion(const Canvas& canvas, int originX, int originY, int width, int height,
                           const Rect& clip, int size, Rgb colour);

}  // namespace lumabord
