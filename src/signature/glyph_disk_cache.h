// The disk cache of glyph rows: a ".Hdr" record of 2188 bytes and a ".Dat" file of cell
// bytes per row, named by the row key, trimmed oldest first.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "signature/glyph_cache.h"

namespace lumabord {

constexpr size_t kHeaderRecordSize = 2188;

// The decimal numbers and the font name that name a row's files.
[[nodiscard]] std::string rowKey(const FontRecord& font, const GlyphShape& shape);
// directory / (key + extension), with characters a file name cannot hold replaced.
[[nodiscard]] std::filesystem::path rowFilePath(const std::filesystem::path& directory,
                                                const FontRecord& font, const GlyphShape& shape,
                                                const char* extension);

[[nodiscard]] std::array<uint8_t, kHeaderRecordSize> encodeHeader(const TSmoothZeichensatz& row);

// Writes the row's two files (creating the directory, one level, when missing).
// Throws Error on file errors.
void writeRowToDisk(const std::filesystem::path& directory, const TSmoothZeichensatz& row);

// Fills the row's slots from its files when they exist and are sound. A pair that is
// corrupt, truncated, written for another font or setting, holds cells of different heights
// (every cell of a row is as tall as the font's letters make it) or more than maxRowBytes of
// cells (the memory cache's limit) is deleted and the row stays empty, to be rendered
// afresh. Returns whether the row was loaded.
bool loadRowFromDisk(const std::filesystem::path& directory, TSmoothZeichensatz& row,
                     int64_t maxRowBytes);

// Deletes the oldest ".Dat"/".Hdr" pairs until the sizes of the ".Dat" files plus 2188 per
// pair fit within maxBytes.
void trimDiskCache(const std::filesystem::path& directory, int64_t maxBytes);

}  // namespace lumabord
