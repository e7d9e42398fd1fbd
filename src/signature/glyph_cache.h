// The process-wide glyph cache: up to 1000 rows, each the glyph cells of one font and 3D
// setting, evicted round-robin and kept between runs in a disk cache.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/text_facility.h"
#include "signature/font3d.h"

namespace lumabord {

// One character rendered for one font and setting: Wc x Hc pixels of 3 bytes (shadow,
// border, face coverage), rows top to bottom without padding. Empty: width = height = -1.
struct GlyphCell {
  int width = -1;
  int height = -1;
  std::vector<uint8_t> data;

  bool empty() const { return width < 0 || height < 0; }
  size_t byteCount() const { return empty() ? 0 : data.size(); }
  friend bool operator==(const GlyphCell&, const GlyphCell&) = default;
};

// The 3D settings that shape glyph cells (colours, gradient, texture and margin do not).
struct GlyphShape {
  double altitude = 3;
  double borderHeight = 1;
  int shadowColor = 32;
  TSmoothFontShadowStyle shadowStyle = TSmoothFontShadowStyle::sfssSharp;
  TSmoothFontSite site = TSmoothFontSite::sfpFlying;
  int viewDirection = 135;
  bool antialiasing = false;
  int charOverlap = 0;

  static GlyphShape of(const TFont3D& font);
};

// Altitude and border height compare at hundredths of a pixel.
[[nodiscard]] int hundredths(double value);

// The match rule of cache rows.
[[nodiscard]] bool fontsMatch(const FontRecord& a, const FontRecord& b);
[[nodiscard]] bool shapesMatch(const GlyphShape& a, const GlyphShape& b);

// One cache row.
class TSmoothZeichensatz {
 public:
  TSmoothZeichensatz(const FontRecord& font, const GlyphShape& shape) : font(font), shape(shape) {}

  FontRecord font;
  GlyphShape shape;

  const GlyphCell& glyph(uint8_t code) const { return glyphs_[code]; }
  void setGlyph(uint8_t code, GlyphCell cell);
  // Bytes of glyph pixel data held by this row.
  size_t byteCount() const { return bytes_; }

 private:
  std::array<GlyphCell, 256> glyphs_;
  size_t bytes_ = 0;
};

struct GlyphCacheSettings {
  int64_t memoryCacheSizeMax = 1000000;  // bytes of glyph pixel data
  int64_t diskCacheSizeMax = 5000000;    // bytes on disk
  std::filesystem::path diskCacheDirectory = "FontCache3D";
  // Off until a TSmoothFontManager3D is created, so a cache without its component never
  // reads or writes files.
  bool useDiskCache = false;
};

class GlyphCache {
 public:
  static constexpr int kRowCount = 1000;

  GlyphCacheSettings settings;

  // The number (1..1000) of the row for this font and setting, created (and loaded from
  // the disk cache) when none matches. `font3d` takes the row's CharOverlap. Throws Error
  // when an evicted row cannot be written.
  int findOrCreateRow(const FontRecord& font, TFont3D& font3d);

  TSmoothZeichensatz& row(int number) { return *rows_[static_cast<size_t>(number - 1)]; }
  bool used(int number) const;
  int evictionCursor() const { return cursor_; }
  // Whether any lookup has happened since creation or the last clear().
  bool hasBeenUsed() const { return initialised_; }
  // Bytes of glyph pixel data held by all used rows.
  size_t byteCount() const;

  // Writes every used row to the disk cache (no trimming). Throws Error on file errors.
  void writeAllToDisk();
  // What the program does at exit: when used and with the disk cache on, write every
  // used row and trim once.
  void writeAtExit();
  // Forgets every row, as a new run starts.
  void clear();

 private:
  int evict();

  std::vector<std::unique_ptr<TSmoothZeichensatz>> rows_ =
      std::vector<std::unique_ptr<TSmoothZeichensatz>>(kRowCount);
  int cursor_ = 0;
  bool initialised_ = false;
};

}  // namespace lumabord
