// Row lookup, creation and round-robin eviction of the glyph cache.
#include "signature/glyph_cache.h"

#include <system_error>

#include "base/rounding.h"
#include "signature/glyph_disk_cache.h"

namespace lumabord {

GlyphShape GlyphShape::of(const TFont3D& font) {
  GlyphShape shape;
  shape.altitude = font.altitude();
  shape.borderHeight = font.border().height();
  shape.shadowColor = font.shadow().color();
  shape.shadowStyle = font.shadow().style();
  shape.site = font.site();
  shape.viewDirection = font.viewDirection();
  shape.antialiasing = font.antialiasing();
  shape.charOverlap = font.charOverlap;
  return shape;
}

int hundredths(double value) {
  const double scaled = 100 * value;
  if (!(scaled > -2e9 && scaled < 2e9)) return scaled > 0 ? INT32_MAX : INT32_MIN;
  return static_cast<int>(roundHalfEven(scaled));
}

bool fontsMatch(const FontRecord& a, const FontRecord& b) {
  return a.height == b.height && a.size == b.size && a.name == b.name && a.pitch == b.pitch &&
         a.pixelsPerInch == b.pixelsPerInch && a.style == b.style;
}

bool shapesMatch(const GlyphShape& a, const GlyphShape& b) {
  return hundredths(a.altitude) == hundredths(b.altitude) &&
         hundredths(a.borderHeight) == hundredths(b.borderHeight) &&
         a.shadowColor == b.shadowColor && a.shadowStyle == b.shadowStyle && a.site == b.site &&
         a.viewDirection == b.viewDirection && a.antialiasing == b.antialiasing;
}

void TSmoothZeichensatz::setGlyph(uint8_t code, GlyphCell cell) {
  bytes_ -= glyphs_[code].byteCount();
  glyphs_[code] = std::move(cell);
  bytes_ += glyphs_[code].byteCount();
}

bool GlyphCache::used(int number) const {
  return number >= 1 && number <= kRowCount && rows_[static_cast<size_t>(number - 1)] != nullptr;
}

size_t GlyphCache::byteCount() const {
  size_t total = 0;
  for (const auto& row : rows_) {
    if (row) total += row->byteCount();
  }
  return total;
}

int GlyphCache::findOrCreateRow(const FontRecord& font, TFont3D& font3d) {
  initialised_ = true;
  const GlyphShape shape = GlyphShape::of(font3d);
  for (int i = 1; used(i); ++i) {
    TSmoothZeichensatz& candidate = row(i);
    if (fontsMatch(candidate.font, font) && shapesMatch(candidate.shape, shape)) {
      font3d.charOverlap = candidate.shape.charOverlap;
      return i;
    }
  }
  const size_t held = byteCount();
  const bool overMemory = static_cast<int64_t>(held) > settings.memoryCacheSizeMax;
  int number = 0;
  for (int i = 1; used(i); ++i) {
    if (i + 1 > kRowCount || (overMemory && (cursor_ == 0 || i == cursor_))) {
      number = evict();
      break;
    }
  }
  if (number == 0) {
    for (number = 1; used(number); ++number) {
    }
  }
  auto created = std::make_unique<TSmoothZeichensatz>(font, shape);
  std::error_code error;
  if (settings.useDiskCache && std::filesystem::is_directory(settings.diskCacheDirectory, error)) {
    loadRowFromDisk(settings.diskCacheDirectory, *created, settings.memoryCacheSizeMax);
  }
  font3d.charOverlap = created->shape.charOverlap;
  rows_[static_cast<size_t>(number - 1)] = std::move(created);
  return number;
}

int GlyphCache::evict() {
  do {
    cursor_ = cursor_ >= kRowCount ? 1 : cursor_ + 1;
  } while (!used(cursor_));
  if (settings.useDiskCache) {
    writeRowToDisk(settings.diskCacheDirectory, row(cursor_));
    trimDiskCache(settings.diskCacheDirectory, settings.diskCacheSizeMax);
  }
  rows_[static_cast<size_t>(cursor_ - 1)].reset();
  return cursor_;
}

void GlyphCache::writeAllToDisk() {
  for (int i = 1; used(i); ++i) writeRowToDisk(settings.diskCacheDirectory, row(i));
}

void GlyphCache::writeAtExit() {
  if (!initialised_ || !settings.useDiskCache) return;
  writeAllToDisk();
  trimDiskCache(settings.diskCacheDirectory, settings.diskCacheSizeMax);
}

void GlyphCache::clear() {
  for (auto& row : rows_) row.reset();
  cursor_ = 0;
  initialised_ = false;
}

}  // namespace lumabord
