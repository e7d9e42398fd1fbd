// The disk cache: the exact bytes and names of a row's ".Hdr"/".Dat" pair, reloading,
// trimming by age, and bad pairs that are ignored, deleted and rendered afresh.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "signature/glyph_disk_cache.h"
#include "signature/synthetic_cells.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::uniformCell;

FontRecord storedFont() {
  FontRecord font;
  font.name = "DejaVu Sans";
  font.size = 18;
  font.height = -24;
  font.pixelsPerInch = 96;
  font.style = kFontBold | kFontItalic;
  font.pitch = 2;
  return font;
}

GlyphShape storedShape() {
  GlyphShape shape;
  shape.altitude = 0.125;  // 12.5 hundredths: halves go to the even neighbour
  shape.borderHeight = 1.5;
  shape.shadowColor = 40;
  shape.shadowStyle = TSmoothFontShadowStyle::sfssDiffuse;
  shape.site = TSmoothFontSite::sfpRaised;
  shape.viewDirection = 300;
  shape.antialiasing = true;
  shape.charOverlap = -7;
  return shape;
}

constexpr int64_t kMemoryLimit = int64_t{1} << 30;

TSmoothZeichensatz storedRow() {
  TSmoothZeichensatz row(storedFont(), storedShape());
  row.setGlyph('A', uniformCell(2, 1, {1, 2, 3}));
  row.setGlyph(0xFF, uniformCell(2, 1, {4, 5, 6}));
  return row;
}

void put32(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

TEST(DiskCacheFiles, HeaderRecordAndDataByteForByte) {
  TempDir dir;
  writeRowToDisk(dir / "cache", storedRow());

  // style 3, pitch 2, size 18, height -24, altitude 12, border 150, 100 x shadow 40,
  // 100 x view 300, antialiasing 1, diffuse 1, raised 2, then the name.
  const fs::path header = dir / "cache" / "3218-2412150400030000112DejaVu Sans.Hdr";
  const fs::path data = dir / "cache" / "3218-2412150400030000112DejaVu Sans.Dat";
  ASSERT_TRUE(fs::exists(header));

  std::vector<uint8_t> expected(2188, 0);
  put32(expected, 0, -24);
  put32(expected, 4, 18);
  put32(expected, 8, 96);
  expected[12] = 11;
  std::memcpy(&expected[13], "DejaVu Sans", 11);
  expected[113] = 3;
  expected[114] = 2;
  put32(expected, 116, 12);
  put32(expected, 120, 150);
  put32(expected, 124, 40);
  put32(expected, 128, 300);
  put32(expected, 132, -7);
  expected[136] = 1;
  expected[137] = 2;
  for (int code = 0; code < 256; ++code) {
    put32(expected, 140 + 4 * code, -1);
    put32(expected, 1164 + 4 * code, -1);
  }
  put32(expected, 140 + 4 * 'A', 2);
  put32(expected, 1164 + 4 * 'A', 1);
  put32(expected, 140 + 4 * 255, 2);
  put32(expected, 1164 + 4 * 255, 1);
  EXPECT_EQ(readFile(header), expected);
  EXPECT_EQ(readFile(data), (std::vector<uint8_t>{1, 2, 3, 1, 2, 3, 4, 5, 6, 4, 5, 6}));
}

TEST(DiskCacheFiles, RoundTripRestoresCellsAndOverlap) {
  TempDir dir;
  writeRowToDisk(dir.path(), storedRow());
  GlyphShape shape = storedShape();
  shape.charOverlap = 0;  // what a fresh row has before loading
  TSmoothZeichensatz loaded(storedFont(), shape);
  ASSERT_TRUE(loadRowFromDisk(dir.path(), loaded, kMemoryLimit));
  const TSmoothZeichensatz original = storedRow();
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(loaded.glyph(static_cast<uint8_t>(code)), original.glyph(static_cast<uint8_t>(code)));
  }
  EXPECT_EQ(loaded.shape.charOverlap, -7);

  TempDir again;
  writeRowToDisk(again.path(), loaded);
  const std::string name = rowKey(storedFont(), storedShape());
  EXPECT_EQ(readFile(again / (name + ".Hdr")), readFile(dir / (name + ".Hdr")));
  EXPECT_EQ(readFile(again / (name + ".Dat")), readFile(dir / (name + ".Dat")));
}

TEST(DiskCacheFiles, LongNamesAndSlashes) {
  TempDir dir;
  FontRecord font = storedFont();
  font.name = std::string(120, 'n') + "/x";
  TSmoothZeichensatz row(font, storedShape());
  writeRowToDisk(dir.path(), row);
  const fs::path header = rowFilePath(dir.path(), font, storedShape(), ".Hdr");
  EXPECT_EQ(header.parent_path(), dir.path());
  const std::vector<uint8_t> bytes = readFile(header);
  ASSERT_EQ(bytes.size(), 2188u);
  EXPECT_EQ(bytes[12], 100);  // the name is cut at 100 characters
  EXPECT_EQ(bytes[112], 'n');
  TSmoothZeichensatz loaded(font, storedShape());
  EXPECT_TRUE(loadRowFromDisk(dir.path(), loaded, kMemoryLimit));
}

void writeSized(const fs::path& path, size_t bytes, int ageSeconds) {
  writeFileAtomic(path, std::string(bytes, 'x'));
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(path, now - std::chrono::seconds(ageSeconds));
}

TEST(DiskCacheTrim, OldestPairsGoFirstUntilTheTotalFits) {
  TempDir dir;
  // Sizes and ages in an order that differs from the names'.
  const struct {
    const char* name;
    size_t bytes;
    int age;
  } pairs[] = {{"a", 300, 10}, {"b", 100, 40}, {"c", 400, 5}, {"d", 200, 20}};
  for (const auto& pair : pairs) {
    writeSized(dir / (std::string(pair.name) + ".Dat"), pair.bytes, pair.age);
    writeSized(dir / (std::string(pair.name) + ".Hdr"), 2188, pair.age);
  }
  writeSized(dir / "other.txt", 100000, 100);
  auto present = [&] {
    std::string names;
    for (const char* name : {"a", "b", "c", "d"}) {
      const bool dat = fs::exists(dir / (std::string(name) + ".Dat"));
      EXPECT_EQ(dat, fs::exists(dir / (std::string(name) + ".Hdr"))) << name;
      if (dat) names += name;
    }
    return names;
  };
  trimDiskCache(dir.path(), 1000 + 4 * 2188);  // fits exactly
  EXPECT_EQ(present(), "abcd");
  trimDiskCache(dir.path(), 1000 + 4 * 2188 - 1);  // b, the oldest, goes
  EXPECT_EQ(present(), "acd");
  trimDiskCache(dir.path(), 700 + 2 * 2188);  // d goes, then a and c fit
  EXPECT_EQ(present(), "ac");
  trimDiskCache(dir.path(), 400 + 2188);
  EXPECT_EQ(present(), "c");
  trimDiskCache(dir.path(), 0);
  EXPECT_EQ(present(), "");
  EXPECT_TRUE(fs::exists(dir / "other.txt"));
  trimDiskCache(dir / "missing", 0);  // nothing to list, nothing to do
}

struct Damage {
  const char* what;
  std::function<void(std::vector<uint8_t>& header, std::vector<uint8_t>& data)> apply;
  bool removeData = false;
  int64_t memoryLimit = kMemoryLimit;
};

TEST(DiskCacheBadPairs, AreIgnoredAndDeleted) {
  const Damage damages[] = {
      {"header one byte short", [](auto& h, auto&) { h.pop_back(); }},
      {"header one byte long", [](auto& h, auto&) { h.push_back(0); }},
      {"empty header", [](auto& h, auto&) { h.clear(); }},
      {"name length over 100", [](auto& h, auto&) { h[12] = 101; }},
      {"another font's height", [](auto& h, auto&) { put32(h, 0, -25); }},
      {"another font's name", [](auto& h, auto&) { h[13] = 'd'; }},
      {"another view", [](auto& h, auto&) { put32(h, 128, 301); }},
      {"another site", [](auto& h, auto&) { h[137] = 0; }},
      {"positive overlap", [](auto& h, auto&) { put32(h, 132, 3); }},
      {"zero width", [](auto& h, auto&) { put32(h, 140 + 4 * 'A', 0); }},
      {"width out of range", [](auto& h, auto&) { put32(h, 140 + 4 * 'A', 70000); }},
      {"negative height", [](auto& h, auto&) { put32(h, 1164 + 4 * 'A', -5); }},
      {"half-empty slot", [](auto& h, auto&) { put32(h, 140 + 4 * 'B', 3); }},
      {"cells of two heights",
       [](auto& h, auto&) {
         put32(h, 140 + 4 * 255, 1);
         put32(h, 1164 + 4 * 255, 2);
       }},
      {"row over the memory cache limit", [](auto&, auto&) {}, false, 11},
      {"huge cells promised",
       [](auto& h, auto&) {
         for (int code = 0; code < 256; ++code) {
           put32(h, 140 + 4 * code, 65536);
           put32(h, 1164 + 4 * code, 65536);
         }
       }},
      {"data one byte short", [](auto&, auto& d) { d.pop_back(); }},
      {"data one byte long", [](auto&, auto& d) { d.push_back(0); }},
      {"coverage over 255",
       [](auto&, auto& d) {
         d[0] = 200;
         d[1] = 100;
       }},
      {"data missing", [](auto&, auto&) {}, true},
  };
  for (const Damage& damage : damages) {
    TempDir dir;
    writeRowToDisk(dir.path(), storedRow());
    const std::string name = rowKey(storedFont(), storedShape());
    const fs::path headerPath = dir / (name + ".Hdr");
    const fs::path dataPath = dir / (name + ".Dat");
    std::vector<uint8_t> header = readFile(headerPath);
    std::vector<uint8_t> data = readFile(dataPath);
    damage.apply(header, data);
    writeFileAtomic(headerPath, header);
    writeFileAtomic(dataPath, data);
    if (damage.removeData) fs::remove(dataPath);

    TSmoothZeichensatz row(storedFont(), storedShape());
    EXPECT_FALSE(loadRowFromDisk(dir.path(), row, damage.memoryLimit)) << damage.what;
    for (int code = 0; code < 256; ++code) {
      ASSERT_TRUE(row.glyph(static_cast<uint8_t>(code)).empty()) << damage.what;
    }
    EXPECT_FALSE(fs::exists(headerPath)) << damage.what;
    EXPECT_FALSE(fs::exists(dataPath)) << damage.what;
  }
}

TEST(DiskCacheBadPairs, AreRenderedAfreshWhileDrawing) {
  TempDir dir;
  FontRecord font;
  font.name = "DejaVu Sans";
  font.setHeight(-14);
  TFont3D font3d;
  font3d.setAntialiasing(true);

  // A sound pair for the font, then its data cut short.
  GlyphShape shape = GlyphShape::of(font3d);
  TSmoothZeichensatz row(font, shape);
  row.setGlyph('A', uniformCell(3, 3, {0, 0, 255}));
  writeRowToDisk(dir.path(), row);
  const fs::path dataPath = rowFilePath(dir.path(), font, shape, ".Dat");
  writeFileAtomic(dataPath, std::string(5, '\0'));

  SmoothText3D renderer;
  renderer.cache().settings.useDiskCache = true;
  renderer.cache().settings.diskCacheDirectory = dir.path();
  const int width = renderer.textWidth(font, "A", font3d);
  EXPECT_GT(width, 3) << "the glyph was rendered, not taken from the bad pair";
  EXPECT_FALSE(fs::exists(dataPath));
  Image image(40, 40, Rgb{255, 255, 255});
  TextCanvas canvas{image, font};
  renderer.drawText(canvas, 0, 0, kModeTopLeft, font3d, "A");
  EXPECT_NE(image, Image(40, 40, Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace lumabord
