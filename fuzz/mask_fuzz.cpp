// Bevel, edge and drop-shadow mask files (8-bit BMP).
#include "base/error.h"
#include "compose/bevel_mask.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumabord;
  try {
    (void)readBevelMask({data, size});
  } catch (const Error&) {
  }
  return 0;
}
