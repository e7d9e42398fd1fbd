// JPEG XL reader through libjxl: the first frame (the whole picture of a still file),
// upright by its orientation, 8-bit sRGB, alpha unpremultiplied and put over white.
#include <jxl/decode.h>
#include <jxl/decode_cxx.h>

#include <vector>

#include "base/error.h"
#include "codecs/picture_source.h"
#include "codecs/rgba_rows.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "JPEG XL";
constexpr int kChannels = 4;

}  // namespace

Image readJxl(const PictureSource& source) {
  const JxlSignature signature = JxlSignatureCheck(source.bytes.data(), source.bytes.size());
  if (signature != JXL_SIG_CODESTREAM && signature != JXL_SIG_CONTAINER) failInvalidFormat(kFormat);
  const JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
  if (!decoder) fail("Cannot load image %s: out of memory", source.name.c_str());
  JxlDecoder* dec = decoder.get();
  if (JxlDecoderSubscribeEvents(dec, JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE) != JXL_DEC_SUCCESS ||
      JxlDecoderSetUnpremultiplyAlpha(dec, JXL_TRUE) != JXL_DEC_SUCCESS ||
      JxlDecoderSetInput(dec, source.bytes.data(), source.bytes.size()) != JXL_DEC_SUCCESS)
    failInvalidFormat(kFormat);
  JxlDecoderCloseInput(dec);

  const JxlPixelFormat format{kChannels, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
  Image image;
  std::vector<uint8_t> rgba;
  for (;;) {
    switch (JxlDecoderProcessInput(dec)) {
      case JXL_DEC_BASIC_INFO: {
        JxlBasicInfo info;
        if (JxlDecoderGetBasicInfo(dec, &info) != JXL_DEC_SUCCESS) failInvalidFormat(kFormat);
        image = allocatePicture(source, kFormat, info.xsize, info.ysize);
        break;
      }
      case JXL_DEC_NEED_IMAGE_OUT_BUFFER: {
        size_t size = 0;
        if (image.empty() || JxlDecoderImageOutBufferSize(dec, &format, &size) != JXL_DEC_SUCCESS ||
            size != static_cast<size_t>(image.width()) * image.height() * kChannels)
          failInvalidFormat(kFormat);
        rgba.resize(size);
        if (JxlDecoderSetImageOutBuffer(dec, &format, rgba.data(), rgba.size()) != JXL_DEC_SUCCESS)
          failInvalidFormat(kFormat);
        break;
      }
      case JXL_DEC_FULL_IMAGE:
        // The first frame is the picture; an animation's later frames are not read.
        copyRgbRows(rgba.data(), static_cast<size_t>(image.width()) * kChannels, kChannels, image);
        return image;
      case JXL_DEC_NEED_MORE_INPUT:
        failStreamRead(kFormat);
      case JXL_DEC_SUCCESS:  // ended without a picture
      case JXL_DEC_ERROR:
      default:
        failInvalidFormat(kFormat);
    }
  }
}

}  // namespace lumabord
