// JPEG, PNG and grey BMP output of the generator, each written through AtomicFile.
#include "assets/picture.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>

#include "base/error.h"
#include "base/file_io.h"

namespace lumabord::assets {
namespace {

uint8_t toByte(float v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

std::vector<uint8_t> rgbRow(const Picture& p, int y) {
  std::vector<uint8_t> row(static_cast<size_t>(p.width) * 3);
  for (int x = 0; x < p.width; ++x) {
    const Colour& c = p.at(x, y);
    row[3 * static_cast<size_t>(x)] = toByte(c.r);
    row[3 * static_cast<size_t>(x) + 1] = toByte(c.g);
    row[3 * static_cast<size_t>(x) + 2] = toByte(c.b);
  }
  return row;
}

void put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

[[noreturn]] void jpegFailed(j_common_ptr) {
  fail("libjpeg could not encode a generated picture");
}

[[noreturn]] void pngFailed(png_structp, png_const_charp message) {
  fail("libpng could not encode a generated picture: %s", message);
}

}  // namespace

Colour mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour scale(Colour c, float f) {
  return {c.r * f, c.g * f, c.b * f};
}
Colour add(Colour a, Colour b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}

void writeJpeg(const std::filesystem::path& path, const Picture& picture, int quality) {
  AtomicFile file(path);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jerr.error_exit = jpegFailed;
  jpeg_create_compress(&cinfo);
  try {
    jpeg_stdio_dest(&cinfo, file.stream());
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    for (int y = 0; y < picture.height; ++y) {
      std::vector<uint8_t> row = rgbRow(picture, y);
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
  } catch (...) {
    jpeg_destroy_compress(&cinfo);
    throw;
  }
  jpeg_destroy_compress(&cinfo);
  file.commit();
}

void writePng(const std::filesystem::path& path, const Picture& picture) {
  AtomicFile file(path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngFailed, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    fail("libpng could not start writing %s", path.c_str());
  }
  try {
    png_init_io(png, file.stream());
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
      std::vector<uint8_t> row = rgbRow(picture, y);
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
  } catch (...) {
    png_destroy_write_struct(&png, &info);
    throw;
  }
  png_destroy_write_struct(&png, &info);
  file.commit();
}

void writeGreyBmp(const std::filesystem::path& path, const GreyMask& mask) {
  const uint32_t rowBytes = (static_cast<uint32_t>(mask.width) + 3) & ~3u;
  const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(mask.height);
  const uint32_t offset = 14 + 40 + 1024;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put(out, offset + pixelBytes, 4);
  put(out, 0, 4);
  put(out, offset, 4);
  put(out, 40, 4);
  put(out, static_cast<uint32_t>(mask.width), 4);
  put(out, static_cast<uint32_t>(mask.height), 4);
  put(out, 1, 2);
  put(out, 8, 2);
  put(out, 0, 4);  // no compression
  put(out, pixelBytes, 4);
  put(out, 2835, 4);  // 72 dpi
  put(out, 2835, 4);
  put(out, 256, 4);
  put(out, 0, 4);
  for (uint32_t i = 0; i < 256; ++i) {
    for (int k = 0; k < 3; ++k) out.push_back(static_cast<uint8_t>(i));
    out.push_back(0);
  }
  for (int y = mask.height - 1; y >= 0; --y) {
    const size_t start = static_cast<size_t>(y) * static_cast<size_t>(mask.width);
    out.insert(
        out.end(), mask.values.begin() + static_cast<std::ptrdiff_t>(start),
        mask.values.begin() + static_cast<std::ptrdiff_t>(start + static_cast<size_t>(mask.width)));
    out.resize(out.size() + (rowBytes - static_cast<uint32_t>(mask.width)), 0);
  }
  writeFileAtomic(path, out);
}

void writeText(const std::filesystem::path& path, const std::string& text) {
  writeFileAtomic(path, text);
}

}  // namespace lumabord::assets
