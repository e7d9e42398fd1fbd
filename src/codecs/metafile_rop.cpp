// Raster operations of metafile drawing.
#include "codecs/metafile_rop.h"

namespace lumabord {

uint8_t ropBits(uint8_t code, uint8_t pattern, uint8_t source, uint8_t picture) {
  uint8_t out = 0;
  for (int i = 0; i < 8; ++i) {
    if (((code >> i) & 1) == 0) continue;
    // The bits where P, S and D take the values of index i.
    const uint8_t p = (i & 4) ? pattern : static_cast<uint8_t>(~pattern);
    const uint8_t s = (i & 2) ? source : static_cast<uint8_t>(~source);
    const uint8_t d = (i & 1) ? picture : static_cast<uint8_t>(~picture);
    out |= p & s & d;
  }
  return out;
}

Rgb applyRop(uint8_t code, Rgb pattern, Rgb source, Rgb picture) {
  return {ropBits(code, pattern.r, source.r, picture.r),
          ropBits(code, pattern.g, source.g, picture.g),
          ropBits(code, pattern.b, source.b, picture.b)};
}

uint8_t ropOfBinaryMode(int mode) {
  if (mode < 1 || mode > 16) return kRopPatternCopy;
  // Bit 2P + D of (mode - 1) is the binary mode's result.
  const unsigned table = static_cast<unsigned>(mode - 1);
  uint8_t code = 0;
  for (int i = 0; i < 8; ++i) {
    const int p = (i >> 2) & 1, d = i & 1;
    if ((table >> (2 * p + d)) & 1) code |= static_cast<uint8_t>(1 << i);
  }
  return code;
}

}  // namespace lumabord
