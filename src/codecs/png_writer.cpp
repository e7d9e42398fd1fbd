// PNG writer through libpng: 8-bit RGB, not interlaced, marked as sRGB (which also stands for
// the profile of a converted photo: PNG allows no iCCP beside sRGB), the photo's EXIF in eXIf
// and XMP in iTXt, written through
// AtomicFile so a failed write leaves any existing file intact. libpng reports errors
// through a callback that throws (as in the reader), so no longjmp crosses C++ frames.
#include <png.h>

#include <string>

#include "base/error.h"
#include "base/file_io.h"
#include "codecs/image_writers.h"

namespace lumabord {
namespace {

[[noreturn]] void throwPngWriteError(png_structp png, png_const_charp) {
  fail("Cannot create file %s", static_cast<const std::string*>(png_get_error_ptr(png))->c_str());
}

void ignoreWarning(png_structp, png_const_charp) {}

class PngWriteStruct {
 public:
  explicit PngWriteStruct(const std::string& name) {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, const_cast<std::string*>(&name),
                                   throwPngWriteError, ignoreWarning);
    if (png_) info_ = png_create_info_struct(png_);
    if (!info_) {
      png_destroy_write_struct(&png_, nullptr);
      fail("Cannot create file %s", name.c_str());
    }
  }
  ~PngWriteStruct() { png_destroy_write_struct(&png_, &info_); }
  PngWriteStruct(const PngWriteStruct&) = delete;
  PngWriteStruct& operator=(const PngWriteStruct&) = delete;

  png_structp png() { return png_; }
  png_infop info() { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace

void WritePngFile(const std::filesystem::path& path, const Image& image, const PhotoTags* photo,
                  const JpegOptions& options) {
  const std::string name = path.string();
  if (image.empty()) fail("Cannot create file %s", name.c_str());
  AtomicFile file(path);
  PngWriteStruct s(name);
  png_structp png = s.png();
  png_infop info = s.info();
  png_init_io(png, file.stream());
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
               static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_sRGB_gAMA_and_cHRM(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  MetadataBlocks blocks;
  if (const PhotoMetadata* metadata = keptMetadata(photo, options))
    blocks = metadataBlocks(*metadata, image.width(), image.height(), options.keepGps);
  if (!blocks.exif.empty())
    png_set_eXIf_1(png, info, static_cast<png_uint_32>(blocks.exif.size()), blocks.exif.data());
  png_text xmp{};
  if (!blocks.xmp.empty()) {
    xmp.compression = PNG_ITXT_COMPRESSION_NONE;
    xmp.key = const_cast<png_charp>("XML:com.adobe.xmp");
    xmp.text = blocks.xmp.data();
    xmp.itxt_length = blocks.xmp.size();
    png_set_text(png, info, &xmp, 1);
  }
  png_write_info(png, info);
  png_set_bgr(png);  // the rows are B,G,R
  for (int y = 0; y < image.height(); ++y) png_write_row(png, image.row(y));
  png_write_end(png, nullptr);
  file.commit();
}

}  // namespace lumabord
