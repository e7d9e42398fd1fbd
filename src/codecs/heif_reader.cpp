// HEIC/HEIF and AVIF reader through libheif: the primary image, decoded with its
// transformations (rotation, mirroring, cropping) applied so it stands upright, deeper
// samples reduced to 8 bits, alpha put over white.
#include <libheif/heif.h>

#include <memory>
#include <string>
#include <vector>

#include "base/checked_math.h"
#include "base/error.h"
#include "codecs/picture_source.h"
#include "codecs/rgba_rows.h"
#include "codecs/srgb_conversion.h"

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

struct NclxFree {
  void operator()(heif_color_profile_nclx* p) const { heif_nclx_color_profile_free(p); }
};

// The transfer curve of an nclx description as an ICC parametric curve; false for curves
// without one (PQ, HLG, logarithmic), whose photos are then taken as they are.
bool parametricCurve(heif_transfer_characteristics transfer, int& type, std::vector<double>& p) {
  switch (transfer) {
    case heif_transfer_characteristic_IEC_61966_2_1:
      type = 4;
      p = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
      return true;
    case heif_transfer_characteristic_ITU_R_BT_709_5:
    case heif_transfer_characteristic_ITU_R_BT_601_6:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_10bit:
    case heif_transfer_characteristic_ITU_R_BT_2020_2_12bit:
      type = 4;
      p = {1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081};
      return true;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_M:
      type = 1;
      p = {2.2};
      return true;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_B_G:
      type = 1;
      p = {2.8};
      return true;
    case heif_transfer_characteristic_linear:
      type = 1;
      p = {1.0};
      return true;
    default:
      return false;
  }
}

// The photo's colours as an ICC profile: the embedded one, or one built from the nclx
// description. Empty for sRGB (the usual nclx) and for what cannot be described.
std::vector<uint8_t> colourProfile(const heif_image_handle* handle) {
  const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
  if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
    std::vector<uint8_t> icc(heif_image_handle_get_raw_color_profile_size(handle));
    if (icc.empty() ||
        heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok)
      return {};
    return icc;
  }
  heif_color_profile_nclx* raw = nullptr;
  if (type != heif_color_profile_type_nclx ||
      heif_image_handle_get_nclx_color_profile(handle, &raw).code != heif_error_Ok)
    return {};
  const std::unique_ptr<heif_color_profile_nclx, NclxFree> nclx(raw);
  const auto primaries = nclx->color_primaries;
  const auto transfer = nclx->transfer_characteristics;
  if (primaries == heif_color_primaries_unspecified ||
      (primaries == heif_color_primaries_ITU_R_BT_709_5 &&
       (transfer == heif_transfer_characteristic_IEC_61966_2_1 ||
        transfer == heif_transfer_characteristic_unspecified)))
    return {};
  int curve = 0;
  std::vector<double> parameters;
  if (!parametricCurve(transfer, curve, parameters)) return {};
  const double xy[8] = {nclx->color_primary_red_x,   nclx->color_primary_red_y,
                        nclx->color_primary_green_x, nclx->color_primary_green_y,
                        nclx->color_primary_blue_x,  nclx->color_primary_blue_y,
                        nclx->color_primary_white_x, nclx->color_primary_white_y};
  return rgbProfileBytes(xy, curve, parameters);
}

// The first metadata block of a type ("Exif", or "mime" with content_type), empty when none.
std::vector<uint8_t> metadataBlock(const heif_image_handle* handle, const char* type,
                                   const char* contentType) {
  const int count = heif_image_handle_get_number_of_metadata_blocks(handle, type);
  if (count <= 0) return {};
  std::vector<heif_item_id> ids(static_cast<size_t>(count));
  const int listed =
      heif_image_handle_get_list_of_metadata_block_IDs(handle, type, ids.data(), count);
  for (int i = 0; i < listed; ++i) {
    const heif_item_id id = ids[static_cast<size_t>(i)];
    const char* content = heif_image_handle_get_metadata_content_type(handle, id);
    if (contentType && (!content || std::string(content) != contentType)) continue;
    const size_t size = heif_image_handle_get_metadata_size(handle, id);
    if (size == 0 || size > Limits::kMaxFileBytes) continue;
    std::vector<uint8_t> block(size);
    if (heif_image_handle_get_metadata(handle, id, block.data()).code == heif_error_Ok)
      return block;
  }
  return {};
}

// What a HEIF file carries beside its pixels. The rows come upright already, so the EXIF
// orientation (which only repeats the file's own transformations) is not applied again.
void readTags(const heif_image_handle* handle, PhotoTags& tags) {
  tags.orientation = 1;
  tags.iccProfile = colourProfile(handle);
  std::vector<uint8_t> exif = metadataBlock(handle, "Exif", nullptr);
  // The block starts with the offset of the TIFF header behind it (usually 0, or 6 for "Exif\0\0").
  std::span<const uint8_t> tiff;
  if (exif.size() >= 4) {
    const uint32_t offset = static_cast<uint32_t>(exif[0]) << 24 |
                            static_cast<uint32_t>(exif[1]) << 16 |
                            static_cast<uint32_t>(exif[2]) << 8 | exif[3];
    if (offset < exif.size() - 4) tiff = std::span<const uint8_t>(exif).subspan(4 + offset);
  }
  const std::vector<uint8_t> xmp = metadataBlock(handle, "mime", "application/rdf+xml");
  auto metadata = metadataFromBlocks(
      tiff, std::string_view(reinterpret_cast<const char*>(xmp.data()), xmp.size()));
  if (metadata) tags.metadata = std::move(metadata);
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

  if (source.tags) readTags(handle.get(), *source.tags);
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
