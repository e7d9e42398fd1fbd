// JPEG writer through libjpeg (placeholder until the encoder lands).
#include "base/error.h"
#include "codecs/image_writers.h"

namespace lumabord {

void WriteJpegFile(const std::filesystem::path& path, const Image&, const JpegOptions&) {
  fail("Cannot create file %s: JPEG output is not available yet", path.c_str());
}

}  // namespace lumabord
