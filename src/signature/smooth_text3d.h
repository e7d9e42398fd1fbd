// Measuring and drawing a line of 8-bit text in 3D lettering: glyph cells from the glyph
// cache are composed into a coverage mask, the shadow darkens the destination, then face
// and wall colours are blended in.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <string>

#include "base/image.h"
#include "compose/color.h"
#include "platform/system_colors.h"
#include "platform/text_facility.h"
#include "signature/font3d.h"
#include "signature/glyph_cache.h"

namespace lumabord {

enum class BrushStyle { Solid, Clear };

// What a drawing surface carries besides its pixels: the current font and brush.
struct Canvas {
  Image& image;
  FontRecord font;
  BrushStyle brushStyle = BrushStyle::Clear;
  ColorValue brushColor = kClWhite;
};

// Alignment modes of drawText.
enum TextMode : int { kModeTopLeft = 0, kModeRight = 1, kModeCentre = 2 };

class SmoothText3D {
 public:
  explicit SmoothText3D(const TextFacility& facility = defaultTextFacility(),
                        const SystemColors& systemColors = defaultSystemColors());

  GlyphCache& cache() { return cache_; }

  // Σ (glyph width + CharacterMargin) + (characters − 1) × CharOverlap; 0 for "".
  int textWidth(const FontRecord& font, std::string_view text, TFont3D& font3d);
  // Round(mean glyph height); "" is measured as "X".
  int textHeight(const FontRecord& font, std::string_view text, TFont3D& font3d);
  // Mode 0: top-left at (x, y); 1: right edge at x; 2: centred on (x, y). A clear brush
  // composes over the canvas pixels, a solid one over the brush colour.
  void drawText(Canvas& canvas, int x, int y, int mode, TFont3D& font3d, std::string_view text);

  // Finds or creates the row and renders the glyphs of `text` it still lacks.
  TSmoothZeichensatz& prepare(const FontRecord& font, TFont3D& font3d, std::string_view text);

 private:
  void renderMissing(TSmoothZeichensatz& row, const FontRecord& font, TFont3D& font3d,
                     std::string_view text);
  const TextFont& openFont(const FontRecord& font);
  void compose(TSmoothZeichensatz& row, const TFont3D& font3d, std::string_view text, int ws,
               int hs);

  const TextFacility& facility_;
  const SystemColors& systemColors_;
  GlyphCache cache_;
  std::map<std::string, std::unique_ptr<TextFont>> fonts_;
  Image mask_;  // byte 0 shadow, byte 1 border, byte 2 face
  Image destination_;
};

// The renderer and glyph cache of the whole run.
SmoothText3D& smoothText3D();

}  // namespace lumabord
