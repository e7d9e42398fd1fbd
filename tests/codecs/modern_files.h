// HEIC and JPEG XL files made in memory with the formats' own encoders (libheif with its HEVC
// encoder, libjxl): the reader tests' turned photos and the fuzz targets' seeds.
#pragma once

#include <jxl/encode.h>
#include <libheif/heif.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/image.h"

namespace lumabord::testing {

// A lossless HEIC (RGB samples kept by an identity matrix, 4:4:4) written with an orientation,
// as phones store turned pictures; libheif records it as rotation and mirror boxes.
inline std::vector<uint8_t> encodeHeic(const Image& picture,
                                       heif_orientation orientation = heif_orientation_normal) {
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
  heif_encoder_set_lossless(encoder, 1);
  heif_encoder_set_parameter(encoder, "chroma", "444");
  heif_image* image = nullptr;
  heif_image_create(picture.width(), picture.height(), heif_colorspace_RGB,
                    heif_chroma_interleaved_RGB, &image);
  heif_image_add_plane(image, heif_channel_interleaved, picture.width(), picture.height(), 8);
  int stride = 0;
  uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const Rgb c = picture.pixel(x, y);
      uint8_t* p = plane + y * stride + 3 * x;
      p[0] = c.r, p[1] = c.g, p[2] = c.b;
    }
  heif_color_profile_nclx* nclx = heif_nclx_color_profile_alloc();
  nclx->matrix_coefficients = heif_matrix_coefficients_RGB_GBR;
  heif_encoding_options* options = heif_encoding_options_alloc();
  options->image_orientation = orientation;
  options->output_nclx_profile = nclx;
  heif_context_encode_image(context, image, encoder, options, nullptr);
  // libheif writes to a file or a writer callback; a file keeps this short.
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("lumabord-heic-" + std::to_string(getpid()) + ".heic");
  heif_context_write_to_file(context, file.c_str());
  heif_encoding_options_free(options);
  heif_nclx_color_profile_free(nclx);
  heif_image_release(image);
  heif_encoder_release(encoder);
  heif_context_free(context);
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove(file);
  return bytes;
}

// A JPEG XL codestream of picture, lossless or at visually lossless distance 1.
inline std::vector<uint8_t> encodeJxl(const Image& picture, bool lossless) {
  JxlEncoder* encoder = JxlEncoderCreate(nullptr);
  JxlBasicInfo info;
  JxlEncoderInitBasicInfo(&info);
  info.xsize = static_cast<uint32_t>(picture.width());
  info.ysize = static_cast<uint32_t>(picture.height());
  info.bits_per_sample = 8;
  info.uses_original_profile = lossless ? JXL_TRUE : JXL_FALSE;
  JxlEncoderSetBasicInfo(encoder, &info);
  JxlColorEncoding srgb;
  JxlColorEncodingSetToSRGB(&srgb, JXL_FALSE);
  JxlEncoderSetColorEncoding(encoder, &srgb);
  JxlEncoderFrameSettings* settings = JxlEncoderFrameSettingsCreate(encoder, nullptr);
  if (lossless) JxlEncoderSetFrameLossless(settings, JXL_TRUE);
  std::vector<uint8_t> samples;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const Rgb c = picture.pixel(x, y);
      samples.insert(samples.end(), {c.r, c.g, c.b});
    }
  const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
  JxlEncoderAddImageFrame(settings, &format, samples.data(), samples.size());
  JxlEncoderCloseInput(encoder);
  std::vector<uint8_t> bytes(4096);
  uint8_t* next = bytes.data();
  size_t left = bytes.size();
  while (JxlEncoderProcessOutput(encoder, &next, &left) == JXL_ENC_NEED_MORE_OUTPUT) {
    const size_t used = static_cast<size_t>(next - bytes.data());
    bytes.resize(bytes.size() * 2);
    next = bytes.data() + used;
    left = bytes.size() - used;
  }
  bytes.resize(static_cast<size_t>(next - bytes.data()));
  JxlEncoderDestroy(encoder);
  return bytes;
}

}  // namespace lumabord::testing
