// The fixed-layout TIFF writer (placeholder until the writer lands).
#include "base/error.h"
#include "codecs/image_writers.h"

namespace lumabord {

void WriteTiffFile(const std::filesystem::path& path, const Image&) {
  fail("Cannot create file %s: TIFF output is not available yet", path.c_str());
}

}  // namespace lumabord
