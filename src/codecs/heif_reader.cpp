// HEIC/HEIF and AVIF reader through libheif: the primary image, decoded with its
// transformations (rotation, mirroring, cropping) applied so it stands upright, deeper
// samples reduced to 8 bits, alpha put over white.
#include <libheif/heif.h>

#include <memory>

#include "base/checked_math.h"
#include "base/error.h"
#include "codecs/picture_source.h"
#include "codecs/rgba_rows.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "HEIF";

struct ContextFree {
  void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleRelease {
  void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageRelease {
  void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
  void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};

void check(const heif_error& error, const PictureSource& source) {
  if (error.code == heif_error_Ok) return;
  if (error.code == heif_error_Invalid_input && error.subcode == heif_suberror_No_ftyp_box)
    failInvalidFormat(kFormat);
  fail("Cannot load image %s: %s", source.name.c_str(), error.message);
}

}  // namespace

Image readHeif(const PictureSource& source) {
  const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
  if (!context) fail("Cannot load image %s: out of memory", source.name.c_str());
  // Both sides are checked again below; this stops libheif before it allocates a larger grid.
  heif_context_set_maximum_image_size_limit(context.get(), Limits::kMaxSide);
  heif_context_set_max_decoding_threads(context.get(), 0);
  check(heif_context_read_from_memory_without_copy(context.get(), source.bytes.data(),
                                                   source.bytes.size(), nullptr),
        source);

  heif_image_handle* rawHandle = nullptr;
  check(heif_context_get_primary_image_handle(context.get(), &rawHandle), source);
  const std::unique_ptr<heif_image_handle, HandleRelease> handle(rawHandle);
  checkPictureSize(source, kFormat, heif_image_handle_get_width(handle.get()),
                   heif_image_handle_get_height(handle.get()));

  const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
  const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
  options->convert_hdr_to_8bit = 1;
  heif_image* rawImage = nullptr;
  check(heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                          options.get()),
        source);
  const std::unique_ptr<heif_image, ImageRelease> decoded(rawImage);

  // The transformations may have turned or cropped the picture.
  const int width = heif_image_get_width(decoded.get(), heif_channel_interleaved);
  const int height = heif_image_get_height(decoded.get(), heif_channel_interleaved);
  int stride = 0;
  const uint8_t* plane =
      heif_image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
  if (!plane || heif_image_get_bits_per_pixel_range(decoded.get(), heif_channel_interleaved) != 8)
    failInvalidFormat(kFormat);
  Image image = allocatePicture(source, kFormat, width, height);
  if (stride < width * (alpha ? 4 : 3)) failInvalidFormat(kFormat);
  copyRgbRows(plane, static_cast<size_t>(stride), alpha ? 4 : 3, image);
  return image;
}

}  // namespace lumabord
