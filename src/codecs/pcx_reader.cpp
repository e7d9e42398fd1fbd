// ZSoft Paintbrush reader (pcx, pcc, scr): 1, 2, 4 or 8 bits per plane in 1 to 4 planes,
// the header's 16-colour and the trailing 256-colour palettes, 24-bit and 32-bit planes.
#include <vector>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/picture_source.h"
#include "codecs/pixel_unpack.h"
#include "codecs/run_length.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "PCX";
constexpr size_t kHeaderBytes = 128;
constexpr size_t kVgaPaletteBytes = 769;  // the marker 0x0C, then 256 R,G,B triples

Palette readPalette(std::span<const uint8_t> rgb, size_t count) {
  Palette p;
  for (size_t i = 0; i < count; ++i) p.add({rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]});
  return p;
}

// The palette of an indexed picture with `indexBits` bits per pixel.
Palette choosePalette(std::span<const uint8_t> file, std::span<const uint8_t> headerPalette,
                      int indexBits) {
  if (indexBits == 1) {
    // Monochrome pictures name their two colours in the header; many writers leave the
    // table zeroed, which means black and white.
    const Palette two = readPalette(headerPalette, 2);
    return two[0] == two[1] ? Palette::greyRamp(1) : two;
  }
  if (indexBits <= 4) return readPalette(headerPalette, 16);
  if (file.size() >= kHeaderBytes + kVgaPaletteBytes &&
      file[file.size() - kVgaPaletteBytes] == 0x0C)
    return readPalette(file.subspan(file.size() - 768), 256);
  // Grey pictures of later versions leave the table out.
  return Palette::greyRamp(8);
}

}  // namespace

Image readPcx(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  const uint8_t manufacturer = in.u8();
  in.u8();  // version
  const uint8_t encoding = in.u8();
  const int bits = in.u8();
  const int xMin = in.u16le(), yMin = in.u16le(), xMax = in.u16le(), yMax = in.u16le();
  in.skip(4);  // resolution
  const auto headerPalette = in.bytes(48);
  in.skip(1);
  const int planes = in.u8();
  const size_t bytesPerLine = in.u16le();
  in.seek(kHeaderBytes);
  if (manufacturer != 0x0A || encoding > 1) failInvalidFormat(kFormat);
  const bool trueColour = bits == 8 && (planes == 3 || planes == 4);
  if ((bits != 1 && bits != 2 && bits != 4 && bits != 8) || planes < 1 || planes > 4 ||
      (bits * planes > 8 && !trueColour))
    fail("Invalid color format in %s file.", kFormat);
  const int64_t width = int64_t{xMax} - xMin + 1, height = int64_t{yMax} - yMin + 1;
  checkPictureSize(source, kFormat, width, height);
  if (bytesPerLine < packedBytes(static_cast<size_t>(width), bits)) failInvalidFormat(kFormat);

  const size_t lineBytes = bytesPerLine * static_cast<size_t>(planes);
  const uint64_t decodedBytes = uint64_t{lineBytes} * static_cast<uint64_t>(height);
  // A run byte pair yields at most 63 bytes.
  checkFileHolds(source, kFormat, encoding ? (decodedBytes + 62) / 63 * 2 : decodedBytes,
                 in.remaining());
  // One line at a time; runs may cross from one line into the next, which the stream allows.
  std::vector<uint8_t> lineBuffer(encoding ? lineBytes : 0);
  CountFlaggedStream runs(in);

  const size_t w = static_cast<size_t>(width);
  const Palette palette =
      trueColour ? Palette{} : choosePalette(source.bytes, headerPalette, bits * planes);
  Image image(static_cast<int>(width), static_cast<int>(height));
  std::vector<uint8_t> samples(w), indices(w);
  for (int y = 0; y < height; ++y) {
    const uint8_t* line = nullptr;
    if (encoding) {
      runs.read(lineBuffer);
      line = lineBuffer.data();
    } else {
      line = in.bytes(lineBytes).data();
    }
    uint8_t* out = image.row(y);
    if (trueColour) {
      const uint8_t *r = line, *g = line + bytesPerLine, *b = line + 2 * bytesPerLine;
      const uint8_t* a = planes == 4 ? line + 3 * bytesPerLine : nullptr;
      for (size_t x = 0; x < w; ++x, out += 3) {
        const unsigned alpha = a ? a[x] : 255;
        out[0] = overWhite(b[x], alpha);
        out[1] = overWhite(g[x], alpha);
        out[2] = overWhite(r[x], alpha);
      }
      continue;
    }
    // Plane p holds bit group p of each index (plane 0 the least significant).
    std::fill(indices.begin(), indices.end(), 0);
    for (int p = 0; p < planes; ++p) {
      unpackSamples({line + static_cast<size_t>(p) * bytesPerLine, bytesPerLine}, bits, w,
                    samples.data());
      for (size_t x = 0; x < w; ++x)
        indices[x] = static_cast<uint8_t>(indices[x] | samples[x] << (p * bits));
    }
    palette.expand(indices.data(), w, out);
  }
  return image;
}

}  // namespace lumabord
