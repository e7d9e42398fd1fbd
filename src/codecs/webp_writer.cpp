// WebP writer through libwebp: lossy at the JPEG quality, or lossless, with the photo's sRGB
// profile, EXIF and XMP as chunks when it has any. The file is encoded in memory first and
// written through AtomicFile.
#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>

#include "base/error.h"
#include "base/file_io.h"
#include "codecs/image_writers.h"
#include "codecs/srgb_conversion.h"

namespace lumabord {
namespace {

struct WebpFree {
  void operator()(uint8_t* p) const { WebPFree(p); }
};
struct MuxDelete {
  void operator()(WebPMux* m) const { WebPMuxDelete(m); }
};

// The encoded picture with ICCP, EXIF and XMP chunks (the extended format).
std::vector<uint8_t> withChunks(std::span<const uint8_t> encoded, std::span<const uint8_t> icc,
                                const MetadataBlocks& blocks, const std::string& name) {
  const WebPData picture{encoded.data(), encoded.size()};
  const std::unique_ptr<WebPMux, MuxDelete> mux(WebPMuxCreate(&picture, 1));
  if (!mux) fail("Cannot create file %s", name.c_str());
  auto add = [&](const char* fourcc, std::span<const uint8_t> data) {
    if (data.empty()) return;
    const WebPData chunk{data.data(), data.size()};
    if (WebPMuxSetChunk(mux.get(), fourcc, &chunk, 1) != WEBP_MUX_OK)
      fail("Cannot create file %s", name.c_str());
  };
  add("ICCP", icc);
  add("EXIF", blocks.exif);
  add("XMP ", {reinterpret_cast<const uint8_t*>(blocks.xmp.data()), blocks.xmp.size()});
  WebPData assembled{};
  if (WebPMuxAssemble(mux.get(), &assembled) != WEBP_MUX_OK) {
    WebPDataClear(&assembled);
    fail("Cannot create file %s", name.c_str());
  }
  std::vector<uint8_t> bytes(assembled.bytes, assembled.bytes + assembled.size);
  WebPDataClear(&assembled);
  return bytes;
}

}  // namespace

void WriteWebpFile(const std::filesystem::path& path, const Image& image,
                   const JpegOptions& options, const PhotoTags* photo) {
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
  MetadataBlocks blocks;
  if (const PhotoMetadata* metadata = keptMetadata(photo, options))
    blocks = metadataBlocks(*metadata, image.width(), image.height(), options.keepGps);
  std::span<const uint8_t> icc;
  if (carriesProfile(photo)) icc = srgbProfileBytes();
  if (icc.empty() && blocks.exif.empty() && blocks.xmp.empty()) {
    writeFileAtomic(path, {encoded.get(), size});
    return;
  }
  writeFileAtomic(path, withChunks({encoded.get(), size}, icc, blocks, name));
}

}  // namespace lumabord
