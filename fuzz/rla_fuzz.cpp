// Decodes arbitrary bytes as an Alias/Wavefront picture.
#include <cstddef>
#include <cstdint>

#include "base/error.h"
#include "codecs/picture_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    lumabord::DecodeLimits limits;
    limits.maxPixels = 1u << 22;
    (void)lumabord::decodePicture({data, size}, "rla", "fuzz.rla", limits);
  } catch (const lumabord::Error&) {
  }
  return 0;
}
