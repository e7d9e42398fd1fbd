// WebP reader through libwebp: still pictures, lossy or lossless, alpha put over white.
// Animations are refused rather than shown as their first frame out of context.
#include <webp/decode.h>

#include <vector>

#include "base/error.h"
#include "codecs/picture_source.h"
#include "codecs/rgba_rows.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "WebP";

}  // namespace

Image readWebp(const PictureSource& source) {
  WebPBitstreamFeatures features;
  const VP8StatusCode status = WebPGetFeatures(source.bytes.data(), source.bytes.size(), &features);
  if (status == VP8_STATUS_NOT_ENOUGH_DATA) failStreamRead(kFormat);
  if (status != VP8_STATUS_OK) failInvalidFormat(kFormat);
  if (features.has_animation)
    fail("Cannot load image. %s not supported for %s files.", "Animation is", kFormat);
  Image image = allocatePicture(source, kFormat, features.width, features.height);

  const int channels = features.has_alpha ? 4 : 3;
  const size_t stride = static_cast<size_t>(features.width) * static_cast<size_t>(channels);
  if (!features.has_alpha) {
    // B,G,R is the program's own layout: decode straight into the image.
    if (!WebPDecodeBGRInto(source.bytes.data(), source.bytes.size(), image.data(),
                           image.sizeBytes(), static_cast<int>(stride)))
      failInvalidFormat(kFormat);
    return image;
  }
  std::vector<uint8_t> rgba(stride * static_cast<size_t>(features.height));
  if (!WebPDecodeRGBAInto(source.bytes.data(), source.bytes.size(), rgba.data(), rgba.size(),
                          static_cast<int>(stride)))
    failInvalidFormat(kFormat);
  copyRgbRows(rgba.data(), stride, channels, image);
  return image;
}

}  // namespace lumabord
