// WebP writer through libwebp: lossy at the JPEG quality, or lossless. The file is encoded
// in memory first and written through AtomicFile.
#include <webp/encode.h>

#include <memory>

#include "base/error.h"
#include "base/file_io.h"
#include "codecs/image_writers.h"

namespace lumabord {
namespace {

struct WebpFree {
  void operator()(uint8_t* p) const { WebPFree(p); }
};

}  // namespace

void WriteWebpFile(const std::filesystem::path& path, const Image& image,
                   const JpegOptions& options) {
  const std::string name = path.string();
  if (image.width() > WEBP_MAX_DIMENSION || image.height() > WEBP_MAX_DIMENSION) {
    fail("Cannot create file %s: WebP pictures are at most %d pixels wide and high", name.c_str(),
         WEBP_MAX_DIMENSION);
  }
  if (image.empty()) fail("Cannot create file %s", name.c_str());
  uint8_t* raw = nullptr;
  const int stride = static_cast<int>(image.stride());
  const size_t size =
      options.lossless
          ? WebPEncodeLosslessBGR(image.data(), image.width(), image.height(), stride, &raw)
          : WebPEncodeBGR(image.data(), image.width(), image.height(), stride,
                          static_cast<float>(options.quality), &raw);
  const std::unique_ptr<uint8_t, WebpFree> encoded(raw);
  if (size == 0 || !encoded) fail("Cannot create file %s", name.c_str());
  writeFileAtomic(path, {encoded.get(), size});
}

}  // namespace lumabord
