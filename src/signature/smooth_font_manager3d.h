// TSmoothFontManager3D: the component that holds the glyph cache's settings, fills the
// cache ahead of use and writes it to the disk cache when it is destroyed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "signature/smooth_text3d.h"

namespace lumabord {

class TSmoothFontManager3D {
 public:
  // Switches the disk cache on, as creating the component does.
  explicit TSmoothFontManager3D(SmoothText3D& renderer = smoothText3D());
  // Writes the used rows to the disk cache and trims it (errors are dropped: the cache only
  // saves time).
  ~TSmoothFontManager3D();
  TSmoothFontManager3D(const TSmoothFontManager3D&) = delete;
  TSmoothFontManager3D& operator=(const TSmoothFontManager3D&) = delete;

  int64_t MemoryCacheSizeMax() const { return settings().memoryCacheSizeMax; }
  int64_t DiskCacheSizeMax() const { return settings().diskCacheSizeMax; }
  const std::filesystem::path& DiskCacheDirectory() const { return settings().diskCacheDirectory; }
  bool UseDiskCache() const { return settings().useDiskCache; }
  void setMemoryCacheSizeMax(int64_t bytes) { settings().memoryCacheSizeMax = bytes; }
  void setDiskCacheSizeMax(int64_t bytes) { settings().diskCacheSizeMax = bytes; }
  void setDiskCacheDirectory(std::filesystem::path directory) {
    settings().diskCacheDirectory = std::move(directory);
  }
  void setUseDiskCache(bool on) { settings().useDiskCache = on; }

  void FillMemoryCacheChar(const FontRecord& font, TFont3D& font3d, uint8_t code);
  void FillMemoryCacheString(const FontRecord& font, TFont3D& font3d, std::string_view text);
  // Character codes 32 to 122.
  void FillMemoryCacheAlphaNumeric(const FontRecord& font, TFont3D& font3d);
  // Every used row, without trimming. Throws Error on file errors.
  void WriteMemoryCacheToDiskCache();

 private:
  GlyphCacheSettings& settings() const { return renderer_.cache().settings; }

  SmoothText3D& renderer_;
};

}  // namespace lumabord
