// Measuring and drawing a line of 8-bit text in 3D lettering: glyph cells from the glyph
// cache are composed into a coverage mask, the shadow darkens the destination, then face
// and wall colours are blended in.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/image.h"
#include "compose/color.h"
#include "platform/system_colors.h"
#include "platform/text_facility.h"
#include "signature/font3d.h"
#include "signature/glyph_cache.h"

namespace lumabord {

enum class BrushStyle { Solid, Clear };

// What a drawing surface carries besides its pixels: the current font and brush.
struct TextCanvas {
  Image& image;
  FontRecord font;
  BrushStyle brushStyle = BrushStyle::Clear;
  ColorValue brushColor = kClWhite;
};

// Alignment modes of drawText.
enum TextMode : int { kModeTopLeft = 0, kModeRight = 1, kModeCentre = 2 };

// A line of 3D lettering composed apart from what it is drawn on: per pixel of its Ws x Hs
// area the shadow intensity, the wall and face coverage and their colours, so that it can be
// laid over any pixels later, a row at a time and from several threads.
class TextStamp {
 public:
  int width() const { return width_; }    // Ws: the cells side by side, without overlap
  int height() const { return height_; }  // Hs
  // The measured width: Ws with the overlaps between the characters.
  int64_t span() const { return span_; }
  // Lays columns x0 .. x1 - 1 of stamp row `row` over pixels (B,G,R, from column x0): the
  // shadow darkens them, then face and wall colours are blended in.
  void lay(int row, int x0, int x1, uint8_t* pixels) const;

 private:
  friend class SmoothText3D;
  int width_ = 0;
  int height_ = 0;
  int64_t span_ = 0;
  unsigned darkness_ = 255;    // 255 - shadow darkness
  std::vector<uint8_t> mask_;  // per pixel: shadow, wall (under the face), face coverage
  std::vector<Rgb> face_;      // face colour per pixel
  std::vector<Rgb> wall_;      // wall colour per pixel
};

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
  void drawText(TextCanvas& canvas, int x, int y, int mode, TFont3D& font3d, std::string_view text);
  // The text composed, ready to be laid; nullptr for an empty text or an empty area.
  std::shared_ptr<const TextStamp> stamp(const FontRecord& font, TFont3D& font3d,
                                         std::string_view text);

  // Finds or creates the row and renders the glyphs of `text` it still lacks.
  TSmoothZeichensatz& prepare(const FontRecord& font, TFont3D& font3d, std::string_view text);

 private:
  void renderMissing(TSmoothZeichensatz& row, const FontRecord& font, TFont3D& font3d,
                     std::string_view text);
  const TextFont& openFont(const FontRecord& font);
  void compose(TSmoothZeichensatz& row, const TFont3D& font3d, std::string_view text,
               TextStamp& out);

  const TextFacility& facility_;
  const SystemColors& systemColors_;
  GlyphCache cache_;
  std::map<std::string, std::unique_ptr<TextFont>> fonts_;
};

// The renderer and glyph cache of the whole run.
SmoothText3D& smoothText3D();

}  // namespace lumabord
