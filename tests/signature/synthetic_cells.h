// Glyph cells made by hand and placed in a renderer's cache, so that string composition can
// be checked pixel by pixel without any font.
#pragma once

#include <cstdint>
#include <vector>

#include "signature/smooth_text3d.h"

namespace lumabord::testing {

struct CoveragePixel {
  uint8_t shadow = 0;
  uint8_t border = 0;
  uint8_t face = 0;
};

// A cell of `width` x `height` pixels, all `pixel`.
inline GlyphCell uniformCell(int width, int height, CoveragePixel pixel) {
  GlyphCell cell;
  cell.width = width;
  cell.height = height;
  for (int i = 0; i < width * height; ++i) {
    cell.data.push_back(pixel.shadow);
    cell.data.push_back(pixel.border);
    cell.data.push_back(pixel.face);
  }
  return cell;
}

// A one-row cell with the given pixels.
inline GlyphCell rowCell(const std::vector<CoveragePixel>& pixels) {
  GlyphCell cell = uniformCell(static_cast<int>(pixels.size()), 1, {});
  for (size_t i = 0; i < pixels.size(); ++i) {
    cell.data[3 * i] = pixels[i].shadow;
    cell.data[3 * i + 1] = pixels[i].border;
    cell.data[3 * i + 2] = pixels[i].face;
  }
  return cell;
}

// A font that is never opened: every glyph the tests draw is placed in the cache first.
inline FontRecord syntheticFont() {
  FontRecord font;
  font.name = "Synthetic Cells";
  return font;
}

// The cache row of `font3d`, with `overlap` as its CharOverlap.
inline TSmoothZeichensatz& syntheticRow(SmoothText3D& renderer, TFont3D& font3d, int overlap = 0) {
  TSmoothZeichensatz& row =
      renderer.cache().row(renderer.cache().findOrCreateRow(syntheticFont(), font3d));
  row.shape.charOverlap = overlap;
  font3d.charOverlap = overlap;
  return row;
}

}  // namespace lumabord::testing
