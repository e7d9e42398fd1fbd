// The text facility on FreeType: metrics in the desktop API's terms and bi-level glyphs
// kept as horizontal runs, so that drawing one character many times is cheap.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "base/error.h"
#include "platform/cp1252.h"
#include "platform/freetype/font_resolver.h"
#include "platform/freetype/freetype_handles.h"
#include "platform/text_facility.h"

namespace lumabord {
namespace {

// The largest em size drawn; beyond it a glyph bitmap alone would run to megabytes.
constexpr double kMaxEmPixels = 4000;

struct Glyph {
  int advance = 0;
  int left = 0;                // bitmap left relative to the pen
  int top = 0;                 // bitmap top above the baseline
  std::vector<GlyphRun> runs;  // relative to the bitmap's top-left
};

// The set pixels of a rendered one-bit bitmap, row by row.
std::vector<GlyphRun> bitmapRuns(const FT_Bitmap& bitmap) {
  std::vector<GlyphRun> runs;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* bits = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
    int start = -1;
    for (unsigned col = 0; col <= bitmap.width; ++col) {
      const bool on = col < bitmap.width && ((bits[col >> 3] >> (7 - (col & 7))) & 1) != 0;
      if (on && start < 0) start = static_cast<int>(col);
      if (!on && start >= 0) {
        runs.push_back({static_cast<int>(row), start, static_cast<int>(col)});
        start = -1;
      }
    }
  }
  return runs;
}

class FreeTypeFont final : public TextFont {
 public:
  FreeTypeFont(std::shared_ptr<FT_LibraryRec_> library, const FontRecord& record)
      : record_(record), library_(std::move(library)) {
    const ResolvedFace resolved = resolveFace(record.name, record.bold(), record.italic());
    face_ = openFtFace(library_.get(), resolved.file, resolved.index);
    embolden_ = resolved.embolden;
    FT_Face face = face_.get();
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double unitsAscent = face->ascender;
    double unitsDescent = -face->descender;
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
      unitsAscent = os2->usWinAscent;
      unitsDescent = os2->usWinDescent;
    }
    if (unitsAscent + unitsDescent <= 0) unitsAscent = face->units_per_EM;
    double em = 0;
    if (record.height < 0) {
      em = -static_cast<double>(record.height);
    } else if (record.height > 0) {
      em = record.height * face->units_per_EM / (unitsAscent + unitsDescent);
    } else {
      em = std::max(1, record.size) * record.pixelsPerInch / 72.0;
    }
    if (em > kMaxEmPixels) fail("A font of %.0f pixels is beyond the limit of 4000", em);
    em = std::max(em, 1.0);
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72) != 0) {
      fail("Cannot size the font %s", record.name.c_str());
    }
    const double scale = em / face->units_per_EM;
    if (record.height > 0) {
      ascent_ = static_cast<int>(std::lround(unitsAscent * scale));
      descent_ = record.height - ascent_;
    } else {
      ascent_ = static_cast<int>(std::lround(unitsAscent * scale));
      descent_ = static_cast<int>(std::lround(unitsDescent * scale));
    }
    underlineTop_ = static_cast<int>(std::lround(-face->underline_position * scale));
    lineThickness_ = std::max(1, static_cast<int>(std::lround(face->underline_thickness * scale)));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
      strikeTop_ = static_cast<int>(std::lround(os2->yStrikeoutPosition * scale));
    } else {
      strikeTop_ = ascent_ / 3;
    }
    if (resolved.oblique) {
      shear_ = {0x10000, 0x3333, 0, 0x10000};  // about 11 degrees
      FT_Set_Transform(face, &shear_, nullptr);
    }
    if (embolden_) boldExtra_ = static_cast<int>(std::lround(em / 24));
  }

  int ascent() const override { return ascent_; }
  int descent() const override { return descent_; }

  int textWidth(std::string_view text) const override {
    int width = 0;
    for (char c : text) width += glyph(static_cast<uint8_t>(c)).advance;
    return width;
  }

  void drawText(Image& target, int x, int y, std::string_view text, Rgb color) const override {
    const int baseline = y + ascent_;
    int pen = x;
    for (char c : text) {
      const Glyph& g = glyph(static_cast<uint8_t>(c));
      const int left = pen + g.left;
      const int top = baseline - g.top;
      for (const GlyphRun& run : g.runs)
        fillRun(target, top + run.y, left + run.x0, left + run.x1, color);
      pen += g.advance;
    }
    if (record_.underline()) fillRect(target, x, pen, baseline + underlineTop_, color);
    if (record_.strikeOut()) fillRect(target, x, pen, baseline - strikeTop_, color);
  }

  TurnedGlyph turnedGlyph(char32_t code, double radians) const override {
    FT_Face face = face_.get();
    // The turn applies after the slant of a synthesised italic.
    const FT_Fixed c = static_cast<FT_Fixed>(std::lround(std::cos(radians) * 0x10000));
    const FT_Fixed s = static_cast<FT_Fixed>(std::lround(std::sin(radians) * 0x10000));
    FT_Matrix turn{c, -s, s, c};
    FT_Matrix matrix = shear_;
    FT_Matrix_Multiply(&turn, &matrix);
    FT_Set_Transform(face, &matrix, nullptr);
    TurnedGlyph g;
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) == 0) {
      FT_GlyphSlot slot = face->glyph;
      if (embolden_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Embolden(&slot->outline, boldExtra_ * 64);
      }
      g.advance = std::hypot(slot->advance.x, slot->advance.y) / 64 + boldExtra_;
      if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0) {
        g.work = uint64_t{slot->bitmap.rows} * slot->bitmap.width;
        g.runs = bitmapRuns(slot->bitmap);
        for (GlyphRun& run : g.runs) {
          run.y -= slot->bitmap_top;
          run.x0 += slot->bitmap_left;
          run.x1 += slot->bitmap_left;
        }
      }
    }
    FT_Set_Transform(face, &shear_, nullptr);  // as the glyphs of drawText expect
    return g;
  }

 private:
  const Glyph& glyph(uint8_t code) const {
    std::optional<Glyph>& slot = glyphs_[code];
    if (!slot) slot = render(code);
    return *slot;
  }

  Glyph render(uint8_t code) const {
    FT_Face face = face_.get();
    Glyph g;
    const FT_UInt index = FT_Get_Char_Index(face, cp1252ToUnicode(code));
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return g;
    FT_GlyphSlot slot = face->glyph;
    if (embolden_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      FT_Outline_Embolden(&slot->outline, boldExtra_ * 64);
    }
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6) + boldExtra_;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.runs = bitmapRuns(slot->bitmap);
    return g;
  }

  static void fillRun(Image& target, int y, int x0, int x1, Rgb color) {
    if (y < 0 || y >= target.height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, target.width());
    uint8_t* p = target.row(y) + 3 * static_cast<size_t>(std::max(x0, 0));
    for (int x = x0; x < x1; ++x, p += 3) {
      p[0] = color.b;
      p[1] = color.g;
      p[2] = color.r;
    }
  }

  void fillRect(Image& target, int x0, int x1, int top, Rgb color) const {
    for (int y = top; y < top + lineThickness_; ++y) fillRun(target, y, x0, x1, color);
  }

  FontRecord record_;
  std::shared_ptr<FT_LibraryRec_> library_;  // outlives face_, whatever the exit order
  FtFace face_;
  bool embolden_ = false;
  mutable FT_Matrix shear_{0x10000, 0, 0, 0x10000};  // FreeType takes it by pointer
  int boldExtra_ = 0;
  int ascent_ = 0;
  int descent_ = 0;
  int underlineTop_ = 0;
  int strikeTop_ = 0;
  int lineThickness_ = 1;
  mutable std::array<std::optional<Glyph>, 256> glyphs_;
};

class FreeTypeTextFacility final : public TextFacility {
 public:
  FreeTypeTextFacility() : library_(openFtLibrary()) {}

  std::unique_ptr<TextFont> createFont(const FontRecord& font) const override {
    return std::make_unique<FreeTypeFont>(library_, font);
  }

 private:
  std::shared_ptr<FT_LibraryRec_> library_;
};

}  // namespace

const TextFacility& defaultTextFacility() {
  static const FreeTypeTextFacility facility;
  return facility;
}

}  // namespace lumabord
