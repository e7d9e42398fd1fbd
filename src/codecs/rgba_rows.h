// Rows of 8-bit R,G,B(,A) samples, as the HEIF, WebP and JPEG XL libraries hand them out,
// turned into the program's B,G,R rows; alpha is put over white like every other reader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/image.h"

namespace lumabord {

// Copies height rows of width pixels of `channels` (3: R,G,B; 4: R,G,B,A straight alpha)
// bytes each, `stride` bytes apart, into image (which has that size).
void copyRgbRows(const uint8_t* rgb, size_t stride, int channels, Image& image);

}  // namespace lumabord
