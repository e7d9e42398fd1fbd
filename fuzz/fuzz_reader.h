// Shared body of the reader fuzz targets: the input is decoded as a file with one extension
// under small limits. Error is how a reader refuses data; anything else (a crash, a
// sanitizer report, another exception, a hang) is a finding.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/error.h"
#include "codecs/picture_loader.h"

namespace lumabord {

inline int fuzzDecode(const uint8_t* data, size_t size, const char* extension) {
  DecodeLimits limits;
  limits.maxPixels = uint64_t{1} << 22;  // keeps every allocation well inside the RSS limit
  limits.verifyChecksums = false;
  try {
    (void)decodePicture({data, size}, extension, "fuzz-input", limits);
  } catch (const Error&) {
  }
  return 0;
}

}  // namespace lumabord

// Defines the fuzz entry point for files with this extension ("" for content sniffing).
#define LUMABORD_READER_FUZZ_TARGET(extension)                              \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    return lumabord::fuzzDecode(data, size, extension);                     \
  }
