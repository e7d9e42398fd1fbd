// Dr. Halo picture reader (cut): run-length rows of palette indices, coloured by the ".pal"
// file of the same name beside it, or drawn as grey levels when there is none.
#include <filesystem>
#include <system_error>

#include "base/error.h"
#include "base/file_io.h"
#include "codecs/byte_reader.h"
#include "codecs/pixel_unpack.h"
#include "codecs/picture_source.h"
#include "codecs/run_length.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "CUT";
constexpr size_t kPaletteHeaderBytes = 40;
constexpr size_t kPaletteBlock = 512;

[[noreturn]] void failPalette() {
  fail("Cannot load image. Palette in %s file is invalid.", kFormat);
}

// The palette file: a 40-byte header ("AH", ..., the largest index and the largest red,
// green and blue values), then 16-bit R,G,B triples that never cross a 512-byte block.
Palette parsePalette(std::span<const uint8_t> bytes) {
  ByteReader in(bytes, kFormat);
  if (bytes.size() < kPaletteHeaderBytes || bytes[0] != 'A' || bytes[1] != 'H') failPalette();
  in.seek(12);  // past the version, size, file type, board and graphics mode
  const size_t count = size_t{in.u16le()} + 1;
  const uint16_t maxRed = in.u16le(), maxGreen = in.u16le(), maxBlue = in.u16le();
  in.seek(kPaletteHeaderBytes);
  Palette palette;
  for (size_t i = 0; i < std::min<size_t>(count, 256); ++i) {
    const size_t inBlock = in.position() % kPaletteBlock;
    if (inBlock + 6 > kPaletteBlock) in.skip(kPaletteBlock - inBlock);
    if (in.remaining() < 6) failPalette();
    const uint16_t r = in.u16le(), g = in.u16le(), b = in.u16le();
    palette.add({scaleToByte(r, maxRed), scaleToByte(g, maxGreen), scaleToByte(b, maxBlue)});
  }
  return palette;
}

// The palette beside the picture ("name.pal" or "name.PAL"), or grey levels.
Palette findPalette(const std::string& name) {
  for (const char* extension : {".pal", ".PAL"}) {
    std::filesystem::path path(name);
    path.replace_extension(extension);
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return parsePalette(readFile(path));
  }
  return Palette::greyRamp(8);
}

}  // namespace

Image readCut(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  const uint16_t width = in.u16le();
  const uint16_t height = in.u16le();
  in.skip(2);
  checkPictureSize(source, kFormat, width, height);
  // Every row takes at least its 2-byte length and an end byte.
  checkFileHolds(source, kFormat, uint64_t{height} * 3, in.remaining());

  const Palette palette = findPalette(source.name);
  Image image(width, height);
  std::vector<uint8_t> indices(width);
  for (int y = 0; y < height; ++y) {
    ByteReader row(in.bytes(in.u16le()), kFormat);
    std::fill(indices.begin(), indices.end(), 0);
    unpackRunFlagged(row, indices);
    palette.expand(indices.data(), width, image.row(y));
  }
  return image;
}

}  // namespace lumabord
