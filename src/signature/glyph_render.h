// Rendering one 3D glyph cell: the character drawn supersampled in pure blue (shadow),
// green (side walls) and red (face), then averaged down into coverage bytes.
#pragma once

#include <cstdint>

#include "base/image.h"
#include "platform/text_facility.h"
#include "signature/font3d.h"
#include "signature/glyph_cache.h"

namespace lumabord {

struct Offset {
  int x = 0;
  int y = 0;
  friend bool operator==(const Offset&, const Offset&) = default;
};

// OV(L, a): the point on the square of half side L in direction a (degrees, 0 up, 90
// right, 180 down; y grows downwards). Directions outside 0..359 are taken modulo 360.
[[nodiscard]] Offset offsetOnSquare(int length, int degrees);

// 1 without antialiasing, else 16, 8 above 12 pixels of "X" height, 4 above 50.
[[nodiscard]] int SupersampleFactor(bool antialiasing, int heightOfX);

struct CellGeometry {
  int width = 0;        // Wc
  int height = 0;       // Hc
  int charOverlap = 0;  // zero or negative
};

// The cell size of a character `advance` pixels wide in a font whose "X" is `heightOfX`
// pixels high.
[[nodiscard]] CellGeometry cellGeometry(int heightOfX, int advance, const TFont3D& font3d,
                                        bool italic);

// The font drawn s times larger: its point size, or its pixel height when it has none.
[[nodiscard]] FontRecord scaledFont(const FontRecord& font, int s);

// Per channel, the mean of each s x s block (integer division).
[[nodiscard]] GlyphCell downsample(const Image& scaled, int s);

// Renders `code` with `font` (unscaled) and `scaled` (the same font times s). Sets
// font3d.charOverlap. Throws Error when the cell would exceed the image limits.
[[nodiscard]] GlyphCell renderGlyphCell(const TextFont& font, const TextFont& scaled,
                                        const FontRecord& record, TFont3D& font3d, uint8_t code,
                                        int s);

}  // namespace lumabord
