// Glyph cache pairs (".Hdr" and ".Dat"). A pair must match its row's font and settings to be
// read at all, so the input is a list of patches to a sound pair rather than the files
// themselves: each patch is a 16-bit offset into header and data laid end to end, then a byte.
#include <vector>

#include "base/error.h"
#include "base/file_io.h"
#include "fuzz_files.h"
#include "signature/glyph_disk_cache.h"

namespace {

using namespace lumabord;

FontRecord fuzzFont() {
  FontRecord font;
  font.name = "DejaVu Sans";
  font.size = 18;
  font.height = -24;
  font.pixelsPerInch = 96;
  return font;
}

TSmoothZeichensatz soundRow() {
  TSmoothZeichensatz row(fuzzFont(), GlyphShape{});
  for (const int code : {int{'A'}, int{'b'}, 0xFF}) {
    GlyphCell cell;
    cell.width = 3;
    cell.height = 2;
    cell.data.assign(18, 40);
    row.setGlyph(static_cast<uint8_t>(code), std::move(cell));
  }
  return row;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path folder = fuzzFolder() / "FontCache3D";
  const TSmoothZeichensatz sound = soundRow();
  writeRowToDisk(folder, sound);
  const auto header = rowFilePath(folder, sound.font, sound.shape, ".Hdr");
  const auto cells = rowFilePath(folder, sound.font, sound.shape, ".Dat");
  std::vector<uint8_t> bytes = readFile(header);
  const size_t headerSize = bytes.size();
  const std::vector<uint8_t> dat = readFile(cells);
  bytes.insert(bytes.end(), dat.begin(), dat.end());
  for (size_t i = 0; i + 3 <= size; i += 3) {
    const size_t at = static_cast<size_t>(data[i] | data[i + 1] << 8);
    if (at < bytes.size()) bytes[at] = data[i + 2];
  }
  if (size % 3 == 1) bytes.resize(bytes.size() - data[size - 1] % bytes.size());
  if (size % 3 == 2) bytes.insert(bytes.end(), data[size - 1], data[size - 2]);
  writeFileAtomic(header, std::span(bytes).first(std::min(headerSize, bytes.size())));
  writeFileAtomic(cells, std::span(bytes).subspan(std::min(headerSize, bytes.size())));
  TSmoothZeichensatz row(fuzzFont(), GlyphShape{});
  try {
    (void)loadRowFromDisk(folder, row, int64_t{1} << 20);
  } catch (const Error&) {
  }
  return 0;
}
