// Device-independent bitmaps (the body of BMP files and of icon entries): 1, 4, 8, 16, 24
// and 32 bits, RLE4 and RLE8, bit-field masks, top-down and bottom-up, Windows and OS/2
// headers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/image.h"
#include "codecs/picture_source.h"

namespace lumabord {

struct DibPicture {
  Image image;
  // One byte per pixel, row-major top-down, filled only for icon entries with an alpha
  // channel (32 bits with any non-zero alpha) or an AND mask (0 = transparent, 255 = opaque).
  std::vector<uint8_t> alpha;
};

struct DibLayout {
  size_t headerOffset = 0;              // where the info header starts in the data
  std::optional<uint64_t> pixelOffset;  // start of the pixel bits, when a file header says
  bool icon = false;                    // height counts colour bits and AND mask together
};

// Decodes the bitmap of `data` (the whole BMP file or one icon entry). Malformed data gives
// "Bitmap image is not valid" or the shared messages with the format name "BMP".
DibPicture decodeDib(std::span<const uint8_t> data, const DibLayout& layout,
                     const PictureSource& source);

// The bits per pixel of the info header at the start of data, or 0 when unreadable.
int dibBitCount(std::span<const uint8_t> data);

}  // namespace lumabord
