// Bit unpacking and palette expansion.
#include "codecs/pixel_unpack.h"

#include <algorithm>

#include "base/error.h"

namespace lumabord {

void unpackSamples(std::span<const uint8_t> packed, int bits, size_t count, uint8_t* dst) {
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8) fail("Unsupported sample depth %d", bits);
  if (packed.size() < packedBytes(count, bits)) fail("Packed samples end before the row does");
  if (bits == 8) {
    std::copy_n(packed.data(), count, dst);
    return;
  }
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  size_t i = 0;
  for (size_t byteIndex = 0; i < count; ++byteIndex) {
    const unsigned byte = packed[byteIndex];
    for (int k = 0; k < perByte && i < count; ++k, ++i) {
      dst[i] = static_cast<uint8_t>((byte >> (8 - bits * (k + 1))) & mask);
    }
  }
}

Palette Palette::greyRamp(int bits) {
  const uint32_t levels = 1u << bits;
  Palette p;
  for (uint32_t i = 0; i < levels; ++i) {
    const uint8_t v = scaleToByte(i, levels - 1);
    p.add({v, v, v});
  }
  return p;
}

void Palette::expand(const uint8_t* indices, size_t count, uint8_t* bgr) const {
  for (size_t i = 0; i < count; ++i, bgr += 3) {
    const Rgb c = (*this)[indices[i]];
    bgr[0] = c.b;
    bgr[1] = c.g;
    bgr[2] = c.r;
  }
}

void expandGrey(const uint8_t* grey, size_t count, uint8_t* bgr) {
  for (size_t i = 0; i < count; ++i, bgr += 3) bgr[0] = bgr[1] = bgr[2] = grey[i];
}

}  // namespace lumabord
