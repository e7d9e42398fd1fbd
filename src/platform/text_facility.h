// Fonts and bi-level text output on 24-bit images, with the metrics of the desktop text API
// the lettering was designed against: a negative height is the em size in pixels, a
// positive one the line height; text height is ascent + descent; text width the sum of
// advances; text drawn at p has the top of its line at p.y.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/image.h"

namespace lumabord {

// Style bits, as stored in settings and cache files.
enum FontStyleBits : uint8_t {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontStrikeOut = 8,
};

// A font as the desktop font record describes it. `height` wins over `size` when non-zero.
struct FontRecord {
  std::string name = "Tahoma";
  int size = 18;                // points
  int height = -24;             // pixels; negative = em size, positive = line height
  uint32_t color = 0x80000008;  // carried along with the font; text output takes its own
  uint8_t style = 0;            // FontStyleBits
  uint8_t charset = 0;          // 0 = ANSI
  uint8_t pitch = 0;            // 0 default, 1 fixed, 2 variable
  int pixelsPerInch = 96;

  bool bold() const { return (style & kFontBold) != 0; }
  bool italic() const { return (style & kFontItalic) != 0; }
  bool underline() const { return (style & kFontUnderline) != 0; }
  bool strikeOut() const { return (style & kFontStrikeOut) != 0; }

  // Sets the point size and the (negative) pixel height that follows from it.
  void setSize(int points);
  // Sets the pixel height and the point size that follows from it.
  void setHeight(int pixels);

  friend bool operator==(const FontRecord&, const FontRecord&) = default;
};

// A row of set pixels of a bi-level glyph; x1 is exclusive.
struct GlyphRun {
  int y, x0, x1;
};

// One character drawn at any angle: its runs in pixels from the pen position on the
// baseline (x to the right, y downwards on the picture).
struct TurnedGlyph {
  double advance = 0;  // pen movement along the baseline
  uint64_t work = 0;   // pixels the rasteriser produced, for callers that bound their work
  std::vector<GlyphRun> runs;
};

// An opened font. Texts are 8-bit Windows-1252 codes.
class TextFont {
 public:
  virtual ~TextFont() = default;
  virtual int ascent() const = 0;
  virtual int descent() const = 0;
  // Sum of the advances of the characters.
  virtual int textWidth(std::string_view text) const = 0;
  // The line height, ascent + descent, whatever the characters.
  int textHeight() const { return ascent() + descent(); }
  // Draws the text bi-level in `color`, the top of the line at y, overwriting every pixel a
  // glyph covers; underline and strike-out are drawn along the advances. Clipped to target.
  virtual void drawText(Image& target, int x, int y, std::string_view text, Rgb color) const = 0;
  // Any Unicode character, its baseline turned `radians` counter-clockwise on the picture;
  // underline and strike-out are left to the caller.
  virtual TurnedGlyph turnedGlyph(char32_t code, double radians) const = 0;
};

class TextFacility {
 public:
  virtual ~TextFacility() = default;
  // Opens the installed face closest to the record. Throws Error when no face is usable.
  virtual std::unique_ptr<TextFont> createFont(const FontRecord& font) const = 0;
};

// The FreeType and fontconfig implementation, shared for the whole run.
const TextFacility& defaultTextFacility();

}  // namespace lumabord
