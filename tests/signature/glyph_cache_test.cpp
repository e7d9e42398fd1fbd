// Cache rows: the match rule, round-robin eviction by row count and by memory, and the
// manager component's fill and exit operations.
#include <gtest/gtest.h>

#include <filesystem>

#include "signature/glyph_disk_cache.h"
#include "signature/smooth_font_manager3d.h"
#include "signature/synthetic_cells.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::syntheticFont;
using testing::uniformCell;

FontRecord fontOfHeight(int height) {
  FontRecord font = syntheticFont();
  font.height = height;
  return font;
}

TEST(GlyphCacheRows, SettingsThatOnlyColourShareARow) {
  GlyphCache cache;
  TFont3D base;
  const int row = cache.findOrCreateRow(syntheticFont(), base);
  cache.row(row).shape.charOverlap = -6;

  TFont3D other;
  other.setFrontColor(0x123456);
  other.border().setColor(0x654321);
  other.border().setEffectColor(2);
  other.gradient().setActive(true);
  other.gradient().setBeginColor(0x111111);
  other.gradient().setKind(TSmoothFontGradientKind::sfgkHorizontal);
  other.setBitmap(Image(2, 2, Rgb{1, 2, 3}));
  other.setCharacterMargin(5);
  other.setAltitude(3.004);  // the same in hundredths
  FontRecord font = syntheticFont();
  font.color = 0x00FF00;
  font.charset = 2;
  EXPECT_EQ(cache.findOrCreateRow(font, other), row);
  EXPECT_EQ(other.charOverlap, -6) << "a found row hands over its overlap";
}

TEST(GlyphCacheRows, EveryShapingSettingGetsItsOwnRow) {
  GlyphCache cache;
  TFont3D base;
  ASSERT_EQ(cache.findOrCreateRow(syntheticFont(), base), 1);
  int expected = 2;
  auto newRow = [&](const FontRecord& font, TFont3D font3d, const char* what) {
    EXPECT_EQ(cache.findOrCreateRow(font, font3d), expected) << what;
    EXPECT_EQ(cache.findOrCreateRow(font, font3d), expected) << what << " again";
    ++expected;
  };
  TFont3D d;
  d.setAltitude(3.01);
  newRow(syntheticFont(), d, "altitude");
  d = base;
  d.border().setHeight(1.5);
  newRow(syntheticFont(), d, "border height");
  d = base;
  d.shadow().setColor(33);
  newRow(syntheticFont(), d, "shadow colour");
  d = base;
  d.shadow().setStyle(TSmoothFontShadowStyle::sfssNone);
  newRow(syntheticFont(), d, "shadow style");
  d = base;
  d.setSite(TSmoothFontSite::sfpLowered);
  newRow(syntheticFont(), d, "site");
  d = base;
  d.setViewDirection(136);
  newRow(syntheticFont(), d, "view");
  d = base;
  d.setAntialiasing(true);
  newRow(syntheticFont(), d, "antialiasing");
  FontRecord f = syntheticFont();
  f.name = "synthetic cells";
  newRow(f, base, "name, compared exactly");
  f = syntheticFont();
  f.height = -25;
  newRow(f, base, "height");
  f = syntheticFont();
  f.size = 19;
  newRow(f, base, "size");
  f = syntheticFont();
  f.pitch = 1;
  newRow(f, base, "pitch");
  f = syntheticFont();
  f.pixelsPerInch = 120;
  newRow(f, base, "pixels per inch");
  f = syntheticFont();
  f.style = kFontItalic;
  newRow(f, base, "style");
}

TEST(GlyphCacheRows, RowNumbersAreReusedRoundRobinPast1000Rows) {
  GlyphCache cache;
  TFont3D font3d;
  for (int i = 1; i <= 1000; ++i) ASSERT_EQ(cache.findOrCreateRow(fontOfHeight(-i), font3d), i);
  EXPECT_EQ(cache.evictionCursor(), 0);
  EXPECT_EQ(cache.findOrCreateRow(fontOfHeight(-1001), font3d), 1);
  EXPECT_EQ(cache.evictionCursor(), 1);
  EXPECT_EQ(cache.row(1).font.height, -1001);
  EXPECT_EQ(cache.findOrCreateRow(fontOfHeight(-1002), font3d), 2);
  // The first font was evicted: it comes back in the next row of the round.
  EXPECT_EQ(cache.findOrCreateRow(fontOfHeight(-1), font3d), 3);
  EXPECT_EQ(cache.findOrCreateRow(fontOfHeight(-500), font3d), 500);
}

TEST(GlyphCacheRows, EvictedRowsGoToDiskAndComeBack) {
  testing::TempDir dir;
  GlyphCache cache;
  cache.settings.useDiskCache = true;
  cache.settings.diskCacheDirectory = dir / "FontCache3D";  // created at the first eviction
  TFont3D font3d;
  ASSERT_EQ(cache.findOrCreateRow(fontOfHeight(-1), font3d), 1);
  cache.row(1).setGlyph('A', uniformCell(2, 3, {10, 20, 30}));
  cache.row(1).shape.charOverlap = -4;
  for (int i = 2; i <= 1001; ++i) cache.findOrCreateRow(fontOfHeight(-i), font3d);
  const auto header =
      rowFilePath(dir / "FontCache3D", fontOfHeight(-1), GlyphShape::of(font3d), ".Hdr");
  ASSERT_TRUE(std::filesystem::exists(header));

  TFont3D again;
  const int number = cache.findOrCreateRow(fontOfHeight(-1), again);
  EXPECT_EQ(number, 2);
  EXPECT_EQ(cache.row(number).glyph('A'), uniformCell(2, 3, {10, 20, 30}));
  EXPECT_TRUE(cache.row(number).glyph('B').empty());
  EXPECT_EQ(again.charOverlap, -4);
}

TEST(GlyphCacheRows, RowsAreEvictedOnceThePixelDataExceedTheLimit) {
  GlyphCache cache;
  TFont3D font3d;
  for (int i = 1; i <= 3; ++i) {
    ASSERT_EQ(cache.findOrCreateRow(fontOfHeight(-i), font3d), i);
    cache.row(i).setGlyph('A', uniformCell(4, 1, {}));  // 12 bytes
  }
  EXPECT_EQ(cache.byteCount(), 36u);
  cache.settings.memoryCacheSizeMax = 20;
  // 36 > 20 with no eviction yet: row 1 goes.
  EXPECT_EQ(cache.findOrCreateRow(fontOfHeight(-4), font3d), 1);
  // 24 > 20: the scan meets the cursor at row 1 and evicts the next used row.
  EXPECT_EQ(cache.findOrCreateRow(fontOfHeight(-5), font3d), 2);
  // 12 fits: the next free row.
  EXPECT_EQ(cache.findOrCreateRow(fontOfHeight(-6), font3d), 4);
  EXPECT_EQ(cache.row(3).font.height, -3);
}

TEST(SmoothFontManager3D, FillsAheadAndWritesAtExit) {
  testing::TempDir dir;
  FontRecord font;
  font.name = "DejaVu Sans";
  font.setHeight(-12);
  TFont3D font3d;
  {
    SmoothText3D renderer;
    EXPECT_FALSE(renderer.cache().settings.useDiskCache) << "only the component switches it on";
    TSmoothFontManager3D manager(renderer);
    EXPECT_TRUE(manager.UseDiskCache());
    EXPECT_EQ(manager.DiskCacheDirectory(), "FontCache3D");
    EXPECT_EQ(manager.MemoryCacheSizeMax(), 1000000);
    EXPECT_EQ(manager.DiskCacheSizeMax(), 5000000);
    manager.setDiskCacheDirectory(dir / "cache");
    manager.FillMemoryCacheAlphaNumeric(font, font3d);
    const TSmoothZeichensatz& row = renderer.cache().row(1);
    for (int code = 0; code < 256; ++code) {
      EXPECT_EQ(row.glyph(static_cast<uint8_t>(code)).empty(), code < 32 || code > 122) << code;
    }
    manager.FillMemoryCacheChar(font, font3d, 0xA9);
    EXPECT_FALSE(row.glyph(0xA9).empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "cache"));
  }
  EXPECT_TRUE(
      std::filesystem::exists(rowFilePath(dir / "cache", font, GlyphShape::of(font3d), ".Dat")));

  // A manager whose cache was never used writes nothing.
  {
    SmoothText3D renderer;
    TSmoothFontManager3D manager(renderer);
    manager.setDiskCacheDirectory(dir / "unused");
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "unused"));
}

}  // namespace
}  // namespace lumabord
