// PNG reader through libpng: every colour type and bit depth, interlaced or not, 16-bit
// samples rounded to 8, transparency put over white. libpng's errors arrive in a callback
// that throws (the library is built with unwind tables), so no longjmp crosses C++ frames.
#include <png.h>

#include <cstring>
#include <vector>

#include "base/error.h"
#include "codecs/memory_source.h"
#include "codecs/picture_source.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "PNG";
// Deflate never packs more than 1032 bytes into one.
constexpr uint64_t kMaxDeflateRatio = 1032;

[[noreturn]] void throwPngError(png_structp png, png_const_charp message) {
  const auto* source = static_cast<const PictureSource*>(png_get_error_ptr(png));
  if (std::strstr(message, "CRC error"))
    fail("Cannot load image. CRC error found in %s file.", kFormat);
  if (std::strstr(message, "critical chunk"))
    fail("Cannot load PNG image. Unexpected but critical chunk detected.");
  if (std::strstr(message, "Not a PNG file") || std::strstr(message, "ASCII conversion"))
    failInvalidFormat(kFormat);
  fail("Cannot load image %s: %s", source->name.c_str(), message);
}

void ignoreWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep out, size_t count) {
  if (static_cast<MemorySource*>(png_get_io_ptr(png))->read(out, count) != count)
    failStreamRead(kFormat);
}

class PngReadStruct {
 public:
  PngReadStruct(MemorySource& input, const PictureSource& source) {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, const_cast<PictureSource*>(&source),
                                  throwPngError, ignoreWarning);
    if (!png_) fail("Cannot load image %s: out of memory", source.name.c_str());
    info_ = png_create_info_struct(png_);
    if (!info_) {
      png_destroy_read_struct(&png_, nullptr, nullptr);
      fail("Cannot load image %s: out of memory", source.name.c_str());
    }
    png_set_read_fn(png_, &input, readBytes);
  }
  ~PngReadStruct() { png_destroy_read_struct(&png_, &info_, nullptr); }
  PngReadStruct(const PngReadStruct&) = delete;
  PngReadStruct& operator=(const PngReadStruct&) = delete;

  png_structp png() { return png_; }
  png_infop info() { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace

Image decodePng(std::span<const uint8_t> bytes, const PictureSource& source) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) failInvalidFormat(kFormat);
  MemorySource input(bytes);
  PngReadStruct s(input, source);
  png_structp png = s.png();
  png_infop info = s.info();
  png_set_user_limits(png, Limits::kMaxSide, Limits::kMaxSide);
  png_set_chunk_malloc_max(png, 64u << 20);
  if (!source.limits.verifyChecksums) {
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
  }
  png_read_info(png, info);

  const int64_t width = png_get_image_width(png, info);
  const int64_t height = png_get_image_height(png, info);
  checkPictureSize(source, kFormat, width, height);
  const uint64_t rawBytes = static_cast<uint64_t>(height) * (png_get_rowbytes(png, info) + 1);
  checkFileHolds(source, kFormat, rawBytes / kMaxDeflateRatio, bytes.size());

  const int colourType = png_get_color_type(png, info);
  png_set_expand(png);
  if (png_get_bit_depth(png, info) == 16) png_set_scale_16(png);
  if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t channels = png_get_channels(png, info);
  if ((channels != 3 && channels != 4) ||
      png_get_rowbytes(png, info) != static_cast<size_t>(width) * channels)
    failInvalidFormat(kFormat);

  Image image(static_cast<int>(width), static_cast<int>(height));
  const size_t w = static_cast<size_t>(width);
  if (channels == 3) {
    for (int pass = 0; pass < passes; ++pass) {
      for (int y = 0; y < image.height(); ++y) png_read_row(png, image.row(y), nullptr);
    }
  } else if (passes == 1) {
    std::vector<uint8_t> row(w * 4);
    for (int y = 0; y < image.height(); ++y) {
      png_read_row(png, row.data(), nullptr);
      compositeOverWhite(row.data(), w, image.row(y));
    }
  } else {
    // Interlaced passes revisit rows: colours wait in the picture and alpha in a plane of its
    // own, and each row is put back together for libpng to add the next pass's pixels.
    std::vector<uint8_t> alpha(w * static_cast<size_t>(height));
    std::vector<uint8_t> row(w * 4);
    for (int pass = 0; pass < passes; ++pass) {
      for (int y = 0; y < image.height(); ++y) {
        uint8_t* colours = image.row(y);
        uint8_t* a = alpha.data() + w * static_cast<size_t>(y);
        for (size_t x = 0; x < w; ++x) {
          std::memcpy(&row[4 * x], colours + 3 * x, 3);
          row[4 * x + 3] = a[x];
        }
        png_read_row(png, row.data(), nullptr);
        for (size_t x = 0; x < w; ++x) {
          std::memcpy(colours + 3 * x, &row[4 * x], 3);
          a[x] = row[4 * x + 3];
        }
      }
    }
    for (int y = 0; y < image.height(); ++y) {
      uint8_t* colours = image.row(y);
      const uint8_t* a = alpha.data() + w * static_cast<size_t>(y);
      for (size_t x = 0; x < w; ++x, colours += 3) {
        colours[0] = overWhite(colours[0], a[x]);
        colours[1] = overWhite(colours[1], a[x]);
        colours[2] = overWhite(colours[2], a[x]);
      }
    }
  }
  return image;
}

Image readPng(const PictureSource& source) {
  return decodePng(source.bytes, source);
}

}  // namespace lumabord
