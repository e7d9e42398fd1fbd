// Reading, writing and trimming the ".Hdr"/".Dat" pairs of the glyph disk cache. Every
// file is hostile until checked: sizes are validated against the file lengths before any
// allocation, and a bad pair is deleted so that it is rendered afresh.
#include "signature/glyph_disk_cache.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

#include "base/checked_math.h"
#include "base/error.h"
#include "base/file_io.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;

constexpr size_t kNameLengthMax = 100;
// Far beyond any cell a 4000-pixel font can give, small enough that no product overflows.
constexpr int kCellSideMax = 1 << 16;
constexpr size_t kRowBytesMax = size_t{1} << 30;

void putInt32(uint8_t* p, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

int32_t getInt32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) |
                              (static_cast<uint32_t>(p[3]) << 24));
}

std::string storedName(const std::string& name) {
  return name.substr(0, kNameLengthMax);
}

void removePair(const fs::path& header, const fs::path& data) {
  std::error_code ignored;
  fs::remove(header, ignored);
  fs::remove(data, ignored);
}

struct HeaderFields {
  int32_t widths[256];
  int32_t heights[256];
  int32_t charOverlap;
};

// The header's fields when the record is sound and describes this row's font and setting.
std::optional<HeaderFields> readHeader(const std::vector<uint8_t>& bytes,
                                       const TSmoothZeichensatz& row) {
  if (bytes.size() != kHeaderRecordSize) return std::nullopt;
  const uint8_t* p = bytes.data();
  const size_t nameLength = p[12];
  if (nameLength > kNameLengthMax) return std::nullopt;
  const std::string name(reinterpret_cast<const char*>(p + 13), nameLength);
  const FontRecord& font = row.font;
  const GlyphShape& shape = row.shape;
  if (getInt32(p) != font.height || getInt32(p + 4) != font.size ||
      getInt32(p + 8) != font.pixelsPerInch || name != storedName(font.name) ||
      p[113] != font.style || p[114] != font.pitch ||
      getInt32(p + 116) != hundredths(shape.altitude) ||
      getInt32(p + 120) != hundredths(shape.borderHeight) ||
      getInt32(p + 124) != shape.shadowColor || getInt32(p + 128) != shape.viewDirection ||
      p[136] != static_cast<uint8_t>(shape.shadowStyle) ||
      p[137] != static_cast<uint8_t>(shape.site)) {
    return std::nullopt;
  }
  HeaderFields fields{};
  fields.charOverlap = getInt32(p + 132);
  if (fields.charOverlap > 0 || fields.charOverlap < -kCellSideMax) return std::nullopt;
  for (int code = 0; code < 256; ++code) {
    const int32_t w = getInt32(p + 140 + 4 * code);
    const int32_t h = getInt32(p + 1164 + 4 * code);
    const bool empty = w == -1 && h == -1;
    if (!empty && (w < 1 || w > kCellSideMax || h < 1 || h > kCellSideMax)) return std::nullopt;
    fields.widths[code] = w;
    fields.heights[code] = h;
  }
  return fields;
}

// Rendered cells never cover a pixel more than fully; data that does is not ours.
bool coverageSound(const std::vector<uint8_t>& data) {
  for (size_t i = 0; i + 2 < data.size(); i += 3) {
    if (data[i] + data[i + 1] + data[i + 2] > 255) return false;
  }
  return true;
}

}  // namespace

std::string rowKey(const FontRecord& font, const GlyphShape& shape) {
  std::string key;
  for (long long number :
       {static_cast<long long>(font.style), static_cast<long long>(font.pitch),
        static_cast<long long>(font.size), static_cast<long long>(font.height),
        static_cast<long long>(hundredths(shape.altitude)),
        static_cast<long long>(hundredths(shape.borderHeight)), 100LL * shape.shadowColor,
        100LL * shape.viewDirection, shape.antialiasing ? 1LL : 0LL,
        static_cast<long long>(shape.shadowStyle), static_cast<long long>(shape.site)}) {
    key += std::to_string(number);
  }
  return key + font.name;
}

fs::path rowFilePath(const fs::path& directory, const FontRecord& font, const GlyphShape& shape,
                     const char* extension) {
  std::string name = rowKey(font, shape) + extension;
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\0', '_');
  return directory / name;
}

std::array<uint8_t, kHeaderRecordSize> encodeHeader(const TSmoothZeichensatz& row) {
  std::array<uint8_t, kHeaderRecordSize> record{};
  uint8_t* p = record.data();
  putInt32(p, row.font.height);
  putInt32(p + 4, row.font.size);
  putInt32(p + 8, row.font.pixelsPerInch);
  const std::string name = storedName(row.font.name);
  p[12] = static_cast<uint8_t>(name.size());
  std::memcpy(p + 13, name.data(), name.size());
  p[113] = row.font.style;
  p[114] = row.font.pitch;
  putInt32(p + 116, hundredths(row.shape.altitude));
  putInt32(p + 120, hundredths(row.shape.borderHeight));
  putInt32(p + 124, row.shape.shadowColor);
  putInt32(p + 128, row.shape.viewDirection);
  putInt32(p + 132, row.shape.charOverlap);
  p[136] = static_cast<uint8_t>(row.shape.shadowStyle);
  p[137] = static_cast<uint8_t>(row.shape.site);
  for (int code = 0; code < 256; ++code) {
    const GlyphCell& cell = row.glyph(static_cast<uint8_t>(code));
    putInt32(p + 140 + 4 * code, cell.empty() ? -1 : cell.width);
    putInt32(p + 1164 + 4 * code, cell.empty() ? -1 : cell.height);
  }
  return record;
}

void writeRowToDisk(const fs::path& directory, const TSmoothZeichensatz& row) {
  std::error_code error;
  if (!fs::is_directory(directory, error) && !fs::create_directory(directory, error)) {
    fail("Cannot create folder %s", directory.string().c_str());
  }
  const auto header = encodeHeader(row);
  writeFileAtomic(rowFilePath(directory, row.font, row.shape, ".Hdr"), header);
  AtomicFile data(rowFilePath(directory, row.font, row.shape, ".Dat"));
  for (int code = 0; code < 256; ++code) {
    const GlyphCell& cell = row.glyph(static_cast<uint8_t>(code));
    if (!cell.empty()) data.write(cell.data);
  }
  data.commit();
}

bool loadRowFromDisk(const fs::path& directory, TSmoothZeichensatz& row, int64_t maxRowBytes) {
  const fs::path headerPath = rowFilePath(directory, row.font, row.shape, ".Hdr");
  const fs::path dataPath = rowFilePath(directory, row.font, row.shape, ".Dat");
  std::error_code error;
  if (!fs::is_regular_file(headerPath, error)) return false;
  const uintmax_t headerSize = fs::file_size(headerPath, error);
  const uintmax_t dataSize = fs::file_size(dataPath, error);
  if (error || headerSize != kHeaderRecordSize) {
    removePair(headerPath, dataPath);
    return false;
  }
  const std::optional<HeaderFields> fields = readHeader(readFile(headerPath), row);
  size_t expected = 0;
  bool sound = fields.has_value();
  const size_t rowBytesMax =
      std::min<size_t>(kRowBytesMax, maxRowBytes < 0 ? 0 : static_cast<size_t>(maxRowBytes));
  int32_t height = -1;
  for (int code = 0; sound && code < 256; ++code) {
    if (fields->widths[code] < 0) continue;
    if (height < 0) height = fields->heights[code];
    sound = fields->heights[code] == height;
    const auto cellBytes = checkedMul(static_cast<size_t>(fields->widths[code]) * 3,
                                      static_cast<size_t>(fields->heights[code]));
    const auto total = cellBytes ? checkedAdd(expected, *cellBytes) : std::nullopt;
    sound = sound && total && *total <= rowBytesMax;
    if (sound) expected = *total;
  }
  if (!sound || dataSize != expected) {
    removePair(headerPath, dataPath);
    return false;
  }
  const std::vector<uint8_t> data = readFile(dataPath);
  if (data.size() != expected || !coverageSound(data)) {
    removePair(headerPath, dataPath);
    return false;
  }
  size_t offset = 0;
  for (int code = 0; code < 256; ++code) {
    GlyphCell cell;
    if (fields->widths[code] >= 0) {
      cell.width = fields->widths[code];
      cell.height = fields->heights[code];
      const size_t bytes = static_cast<size_t>(cell.width) * 3 * static_cast<size_t>(cell.height);
      cell.data.assign(data.begin() + static_cast<ptrdiff_t>(offset),
                       data.begin() + static_cast<ptrdiff_t>(offset + bytes));
      offset += bytes;
    }
    row.setGlyph(static_cast<uint8_t>(code), std::move(cell));
  }
  row.shape.charOverlap = fields->charOverlap;
  return true;
}

void trimDiskCache(const fs::path& directory, int64_t maxBytes) {
  struct Entry {
    fs::path path;
    fs::file_time_type time;
    uintmax_t size;
  };
  std::vector<Entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".dat" || !it->is_regular_file(error)) continue;
    std::error_code entryError;
    const uintmax_t size = it->file_size(entryError);
    const fs::file_time_type time = it->last_write_time(entryError);
    if (!entryError) entries.push_back({path, time, size});
  }
  uintmax_t total = 0;
  for (const Entry& entry : entries) total += entry.size + kHeaderRecordSize;
  // Oldest first; on equal times the one listed first.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.time < b.time; });
  const uintmax_t limit = maxBytes < 0 ? 0 : static_cast<uintmax_t>(maxBytes);
  for (const Entry& entry : entries) {
    if (total <= limit) break;
    fs::path header = entry.path;
    header.replace_extension(".Hdr");
    removePair(header, entry.path);
    total -= entry.size + kHeaderRecordSize;
  }
}

}  // namespace lumabord
