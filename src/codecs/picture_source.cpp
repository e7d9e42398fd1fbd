// Shared failure messages and size checks of the readers.
#include "codecs/picture_source.h"

#include "base/error.h"

namespace lumabord {

void failInvalidFormat(const char* format) {
  fail("Cannot load image. Invalid or unexpected %s image format.", format);
}

void failStreamRead(const char* format) {
  fail("Stream read error in %s file.", format);
}

void failUnsupportedCompression(const char* format) {
  fail("Cannot load image. %s not supported for %s files.", "The compression scheme is", format);
}

uint64_t checkPictureSize(const PictureSource& source, const char* format, int64_t width,
                          int64_t height) {
  if (width <= 0 || height <= 0) {
    fail("Cannot load image %s: the %s file declares an empty or negative size (%lld x %lld)",
         source.name.c_str(), format, static_cast<long long>(width),
         static_cast<long long>(height));
  }
  if (!pixelCountAllowed(width, height) ||
      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > source.limits.maxPixels) {
    fail("Cannot load image %s: %lld x %lld pixels exceed the limit of %llu pixels",
         source.name.c_str(), static_cast<long long>(width), static_cast<long long>(height),
         static_cast<unsigned long long>(source.limits.maxPixels));
  }
  if (source.limits.onDeclaredSize) source.limits.onDeclaredSize(width, height);
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
}

void checkFileHolds(const PictureSource& source, const char* format, uint64_t needed,
                    uint64_t available) {
  if (needed > available) {
    fail(
        "Cannot load image %s: the %s file declares a picture of at least %llu bytes but holds "
        "only %llu",
        source.name.c_str(), format, static_cast<unsigned long long>(needed),
        static_cast<unsigned long long>(available));
  }
}

Image allocatePicture(const PictureSource& source, const char* format, int64_t width,
                      int64_t height) {
  checkPictureSize(source, format, width, height);
  return Image(static_cast<int>(width), static_cast<int>(height));
}

void compositeOverWhite(const uint8_t* bgra, size_t count, uint8_t* bgr) {
  for (size_t i = 0; i < count; ++i, bgra += 4, bgr += 3) {
    const unsigned a = bgra[3];
    bgr[0] = overWhite(bgra[0], a);
    bgr[1] = overWhite(bgra[1], a);
    bgr[2] = overWhite(bgra[2], a);
  }
}

}  // namespace lumabord
