// Bitmaps inside metafile records.
#include "codecs/metafile_dib.h"

#include <algorithm>
#include <vector>

#include "codecs/byte_reader.h"
#include "codecs/dib_decoder.h"

namespace lumabord {

MetafileDib decodeMetafileDib(std::span<const uint8_t> data, std::optional<uint64_t> bitsOffset,
                              const PictureSource& source, MetafileCanvas& canvas) {
  if (data.size() >= 12) {
    const bool core = loadU32le(data.data()) == 12;
    const int64_t w =
        core ? loadU16le(data.data() + 4) : static_cast<int32_t>(loadU32le(data.data() + 4));
    const int64_t h =
        core ? loadU16le(data.data() + 6) : static_cast<int32_t>(loadU32le(data.data() + 8));
    canvas.spend(static_cast<uint64_t>(w < 0 ? -w : w) * static_cast<uint64_t>(h < 0 ? -h : h));
  }
  DibLayout layout;
  layout.pixelOffset = bitsOffset;
  MetafileDib dib;
  // Core headers (12 bytes) are always bottom-up; the others say so by a positive height.
  dib.bottomUp = data.size() < 12 || loadU32le(data.data()) == 12 ||
                 static_cast<int32_t>(loadU32le(data.data() + 8)) > 0;
  dib.image = decodeDib(data, layout, source).image;
  return dib;
}

std::shared_ptr<const MetaPattern> decodeMetafilePattern(std::span<const uint8_t> data,
                                                         std::optional<uint64_t> bitsOffset,
                                                         bool monochrome, bool paletteIndices,
                                                         const PictureSource& source,
                                                         MetafileCanvas& canvas) {
  auto pattern = std::make_shared<MetaPattern>();
  const int bits = dibBitCount(data);
  pattern->monochrome = bits == 1 && (monochrome || paletteIndices);
  if (!pattern->monochrome) {
    pattern->image = decodeMetafileDib(data, bitsOffset, source, canvas).image;
    return pattern;
  }
  // The same bitmap with a table of black and white, which the bits index.
  ByteReader in(data, "BMP");
  const uint32_t headerSize = in.u32le();
  const bool core = headerSize == 12;
  if (headerSize < 12 || headerSize > data.size()) in.failRead();
  uint64_t entries = 2;
  if (!core && headerSize >= 36) {
    in.seek(32);
    const uint32_t used = in.u32le();
    if (used != 0) entries = used;
  }
  const size_t entrySize = paletteIndices ? 2 : core ? 3 : 4;
  const uint64_t start = bitsOffset ? *bitsOffset : headerSize + entries * entrySize;
  if (start > data.size()) in.failRead();
  std::vector<uint8_t> rebuilt(data.begin(), data.begin() + headerSize);
  if (!core && headerSize >= 36) {  // two colours used
    std::fill_n(rebuilt.begin() + 32, 4, uint8_t{0});
    rebuilt[32] = 2;
  }
  for (const uint8_t v : {0, 255}) {
    rebuilt.insert(rebuilt.end(), 3, v);
    if (!core) rebuilt.push_back(0);
  }
  rebuilt.insert(rebuilt.end(), data.begin() + static_cast<ptrdiff_t>(start), data.end());
  pattern->image = decodeMetafileDib(rebuilt, std::nullopt, source, canvas).image;
  return pattern;
}

std::shared_ptr<const MetaPattern> decodeBitmap16Pattern(std::span<const uint8_t> data,
                                                         MetafileCanvas& canvas) {
  ByteReader in(data, "WMF");
  const int width = in.i16le(), height = in.i16le(), rowBytes = in.i16le();
  const int planes = in.u8(), bitsPerPixel = in.u8();
  if (planes != 1 || bitsPerPixel != 1 || width <= 0 || height <= 0 || rowBytes * 8 < width)
    return nullptr;
  canvas.spend(static_cast<uint64_t>(width) * static_cast<uint64_t>(height));
  const auto rows = in.bytes(static_cast<uint64_t>(rowBytes) * static_cast<uint64_t>(height));
  auto pattern = std::make_shared<MetaPattern>();
  pattern->monochrome = true;
  pattern->image = Image(width, height, Rgb{});
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rows.data() + static_cast<size_t>(y) * static_cast<size_t>(rowBytes);
    for (int x = 0; x < width; ++x) {
      if ((row[x >> 3] >> (7 - (x & 7))) & 1) pattern->image.setPixel(x, y, {255, 255, 255});
    }
  }
  return pattern;
}

}  // namespace lumabord
