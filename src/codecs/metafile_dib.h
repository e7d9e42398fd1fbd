// The device-independent bitmaps that metafile records carry, decoded for drawing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "base/image.h"
#include "codecs/metafile_canvas.h"
#include "codecs/picture_source.h"

namespace lumabord {

struct MetafileDib {
  Image image;           // top-down
  bool bottomUp = true;  // source rectangles of bottom-up bitmaps count rows from the bottom
};

// Decodes the bitmap whose info header starts `data`; the pixel bits follow the colour
// table, or start at bitsOffset (from the start of data) when given. The pixels the header
// declares are charged to the canvas's work budget first: a few bytes of run-length deltas
// can stand for a bitmap of any size, and a metafile may hold many.
MetafileDib decodeMetafileDib(std::span<const uint8_t> data, std::optional<uint64_t> bitsOffset,
                              const PictureSource& source, MetafileCanvas& canvas);

// A pattern brush's bitmap. Monochrome patterns keep their bits as black (0) and white (1),
// whatever colours the bitmap's table holds; one-bit bitmaps whose table holds palette
// indices (`paletteIndices`) are monochrome too.
std::shared_ptr<const MetaPattern> decodeMetafilePattern(std::span<const uint8_t> data,
                                                         std::optional<uint64_t> bitsOffset,
                                                         bool monochrome, bool paletteIndices,
                                                         const PictureSource& source,
                                                         MetafileCanvas& canvas);

// The pattern of an old device-dependent bitmap (width, height, bytes a row, planes, bits
// a pixel, then the rows top-down); only one-bit bitmaps have colours without a device,
// others give nothing.
std::shared_ptr<const MetaPattern> decodeBitmap16Pattern(std::span<const uint8_t> data,
                                                         MetafileCanvas& canvas);

// The top row, in the decoded top-down image, of a source rectangle whose y the record
// gives in the bitmap's own convention.
[[nodiscard]] inline int sourceTop(const MetafileDib& dib, int ySrc, int srcHeight) {
  const int64_t top = dib.bottomUp ? int64_t{dib.image.height()} - ySrc - srcHeight : ySrc;
  return static_cast<int>(std::clamp<int64_t>(top, INT32_MIN / 2, INT32_MAX / 2));
}

}  // namespace lumabord
