// Small writers of picture files for the reader tests and the fuzz seed corpus: BMP, ICO,
// EPS and camera-raw containers by hand, TIFF, PNG, GIF and JPEG through their libraries.
// Header-only so that programs without gtest (the seed generator) can use it.
#pragma once

#include <gif_lib.h>
#include <png.h>
#include <tiffio.h>

#include <array>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/image.h"
#include "byte_writers.h"
#include "codecs/jpeg_glue.h"

namespace lumabord::testing {

// A picture with gradients in both directions and sharp edges, so that swapped channels,
// flipped rows and shifted columns all show.
inline Image patternImage(int w, int h) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixel(x, y,
                   {static_cast<uint8_t>(x * 255 / std::max(1, w - 1)),
                    static_cast<uint8_t>(y * 255 / std::max(1, h - 1)),
                    static_cast<uint8_t>((x / 4 + y / 4) % 2 ? 200 : 30)});
  return img;
}

// A smooth picture for lossy coders: sharp edges would make their rounding differences the
// main thing a comparison sees.
inline Image smoothImage(int w, int h) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixel(x, y,
                   {static_cast<uint8_t>(40 + x * 170 / std::max(1, w - 1)),
                    static_cast<uint8_t>(60 + y * 150 / std::max(1, h - 1)),
                    static_cast<uint8_t>(90 + (x + y) * 100 / std::max(1, w + h - 2))});
  return img;
}

// Indices 0..count-1 in diagonal bands with runs of several lengths.
inline std::vector<uint8_t> patternIndices(int w, int h, int count) {
  std::vector<uint8_t> out(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out[static_cast<size_t>(y * w + x)] = static_cast<uint8_t>(((x / (1 + y % 3)) + y) % count);
  return out;
}

inline std::vector<Rgb> patternPalette(int count) {
  std::vector<Rgb> p;
  for (int i = 0; i < count; ++i)
    p.push_back({static_cast<uint8_t>(i * 37 + 11), static_cast<uint8_t>(255 - i * 13),
                 static_cast<uint8_t>(i * 89 + 3)});
  return p;
}

// The picture an index plane stands for.
inline Image expandIndices(const std::vector<uint8_t>& indices, const std::vector<Rgb>& palette,
                           int w, int h) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixel(x, y, palette[indices[static_cast<size_t>(y * w + x)]]);
  return img;
}

// ---------------------------------------------------------------------------------------
// BMP and DIB

struct BmpLayout {
  int bits = 24;
  uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  uint32_t headerSize = 40;  // 12 (OS/2 1.x), 16..64 (OS/2 2.x), 40, 108, 124
  bool topDown = false;
  bool fileHeader = true;           // false: a bare DIB as in icons and .dib files
  std::array<uint32_t, 4> masks{};  // red, green, blue, alpha for bit fields
  std::vector<Rgb> palette;         // for 1..8 bits
  // Icon entries: the height field counts the AND mask too, which follows the colour bits
  // (one flag per pixel, top-down, non-zero = transparent).
  bool icon = false;
  std::vector<uint8_t> andMask;
  std::vector<uint8_t> alpha;  // 32 bits without bit fields: the fourth byte, top-down
};

// Run-length encodes the rows of an index plane given in file order: runs of three or more
// equal indices as encoded runs, longer stretches of differing ones in absolute mode.
inline Bytes encodeBmpRle(const std::vector<std::vector<uint8_t>>& rows, int bits) {
  Bytes out;
  auto literal = [&](const uint8_t* p, size_t n) {
    while (n > 0) {
      const size_t take = std::min<size_t>(n, 254);
      if (take < 3) {
        for (size_t i = 0; i < take; ++i) {
          out.push_back(1);
          out.push_back(static_cast<uint8_t>(bits == 8 ? p[i] : p[i] << 4));
        }
      } else {
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(take));
        size_t bytes = 0;
        if (bits == 8) {
          out.insert(out.end(), p, p + take);
          bytes = take;
        } else {
          for (size_t i = 0; i < take; i += 2)
            out.push_back(static_cast<uint8_t>(p[i] << 4 | (i + 1 < take ? p[i + 1] : 0)));
          bytes = (take + 1) / 2;
        }
        if (bytes & 1) out.push_back(0);
      }
      p += take;
      n -= take;
    }
  };
  for (const auto& row : rows) {
    size_t x = 0, litStart = 0;
    while (x < row.size()) {
      size_t run = 1;
      while (x + run < row.size() && row[x + run] == row[x] && run < 255) ++run;
      if (run >= 3) {
        literal(row.data() + litStart, x - litStart);
        out.push_back(static_cast<uint8_t>(run));
        out.push_back(static_cast<uint8_t>(bits == 8 ? row[x] : (row[x] << 4 | row[x])));
        x += run;
        litStart = x;
      } else {
        x += run;
      }
    }
    literal(row.data() + litStart, row.size() - litStart);
    out.push_back(0);
    out.push_back(0);
  }
  out.push_back(0);
  out.push_back(1);
  return out;
}

// Writes a bitmap of w x h pixels: `indices` (top-down, one per pixel) for 1..8 bits,
// `image` for 16, 24 and 32 bits (channels quantised to the masks).
inline Bytes writeBmp(const BmpLayout& l, int w, int h, const std::vector<uint8_t>& indices,
                      const Image* image = nullptr) {
  std::array<uint32_t, 4> masks = l.masks;
  if (l.compression == 0 && l.bits == 16) masks = {0x7C00, 0x03E0, 0x001F, 0};
  if (l.compression == 0 && l.bits == 32) masks = {0xFF0000, 0xFF00, 0xFF, 0};
  // File rows, first row in the file first.
  std::vector<std::vector<uint8_t>> indexRows;
  for (int r = 0; r < h; ++r) {
    const int y = l.topDown ? r : h - 1 - r;
    if (l.bits <= 8) indexRows.emplace_back(indices.begin() + y * w, indices.begin() + (y + 1) * w);
  }
  Bytes bits;
  const size_t rowBytes = (static_cast<size_t>(w) * static_cast<size_t>(l.bits) + 31) / 32 * 4;
  if (l.compression == 1 || l.compression == 2) {
    bits = encodeBmpRle(indexRows, l.bits);
  } else {
    for (int r = 0; r < h; ++r) {
      const int y = l.topDown ? r : h - 1 - r;
      Bytes row(rowBytes, 0);
      for (int x = 0; x < w; ++x) {
        if (l.bits <= 8) {
          const unsigned v = indexRows[static_cast<size_t>(r)][static_cast<size_t>(x)];
          const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(l.bits);
          row[bit / 8] |= static_cast<uint8_t>(v << (8 - l.bits - bit % 8));
        } else if (l.bits == 24) {
          const Rgb c = image->pixel(x, y);
          row[3 * static_cast<size_t>(x)] = c.b;
          row[3 * static_cast<size_t>(x) + 1] = c.g;
          row[3 * static_cast<size_t>(x) + 2] = c.r;
        } else {
          const Rgb c = image->pixel(x, y);
          const uint8_t ch[4] = {c.r, c.g, c.b, 0x80};
          uint32_t v = 0;
          for (int i = 0; i < 4; ++i) {
            if (!masks[static_cast<size_t>(i)]) continue;
            const int shift = __builtin_ctz(masks[static_cast<size_t>(i)]);
            const uint32_t max = masks[static_cast<size_t>(i)] >> shift;
            v |= ((ch[i] * max + 127) / 255) << shift;
          }
          if (!l.alpha.empty()) v |= uint32_t{l.alpha[static_cast<size_t>(y * w + x)]} << 24;
          for (int i = 0; i < l.bits / 8; ++i)
            row[static_cast<size_t>(x * l.bits / 8 + i)] = static_cast<uint8_t>(v >> (8 * i));
        }
      }
      bits.insert(bits.end(), row.begin(), row.end());
    }
  }
  if (l.icon) {
    const size_t maskRow = (static_cast<size_t>(w) + 31) / 32 * 4;
    for (int r = h - 1; r >= 0; --r) {
      Bytes row(maskRow, 0);
      for (int x = 0; x < w; ++x)
        if (!l.andMask.empty() && l.andMask[static_cast<size_t>(r * w + x)])
          row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
      bits.insert(bits.end(), row.begin(), row.end());
    }
  }

  Bytes info;
  const int storedHeight = (l.icon ? 2 * h : h) * (l.topDown ? -1 : 1);
  putU32le(info, l.headerSize);
  if (l.headerSize == 12) {
    putU16le(info, static_cast<uint32_t>(w));
    putU16le(info, static_cast<uint32_t>(storedHeight));
    putU16le(info, 1);
    putU16le(info, static_cast<uint32_t>(l.bits));
  } else {
    Bytes body(124, 0);
    auto set32 = [&](size_t at, uint32_t v) { setU32le(body, at, v); };
    set32(4, static_cast<uint32_t>(w));
    set32(8, static_cast<uint32_t>(storedHeight));
    body[12] = 1;
    body[14] = static_cast<uint8_t>(l.bits);
    set32(16, l.compression);
    set32(20, static_cast<uint32_t>(bits.size()));
    set32(32, static_cast<uint32_t>(l.palette.size()));
    for (size_t i = 0; i < 4; ++i) set32(40 + 4 * i, masks[i]);
    info.insert(info.end(), body.begin() + 4, body.begin() + l.headerSize);
    // A 40-byte header keeps its bit-field masks after it.
    if (l.headerSize == 40 && l.compression == 3)
      for (size_t i = 0; i < 3; ++i) putU32le(info, masks[i]);
  }
  for (const Rgb& c : l.palette) {
    info.push_back(c.b);
    info.push_back(c.g);
    info.push_back(c.r);
    if (l.headerSize != 12) info.push_back(0);
  }

  Bytes out;
  if (l.fileHeader) {
    out = {'B', 'M'};
    putU32le(out, static_cast<uint32_t>(14 + info.size() + bits.size()));
    putU32le(out, 0);
    putU32le(out, static_cast<uint32_t>(14 + info.size()));
  }
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

// ---------------------------------------------------------------------------------------
// ICO

struct IcoEntry {
  int width = 0, height = 0;  // 256 is stored as 0
  int bits = 0;
  Bytes data;  // a DIB (writeBmp with icon and no file header) or a whole PNG file
};

inline Bytes writeIco(const std::vector<IcoEntry>& entries, uint16_t type = 1) {
  Bytes out;
  putU16le(out, 0);
  putU16le(out, type);
  putU16le(out, static_cast<uint32_t>(entries.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
  for (const IcoEntry& e : entries) {
    out.push_back(static_cast<uint8_t>(e.width & 0xFF));
    out.push_back(static_cast<uint8_t>(e.height & 0xFF));
    out.push_back(0);
    out.push_back(0);
    putU16le(out, 1);
    putU16le(out, static_cast<uint32_t>(e.bits));
    putU32le(out, static_cast<uint32_t>(e.data.size()));
    putU32le(out, offset);
    offset += static_cast<uint32_t>(e.data.size());
  }
  for (const IcoEntry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

// ---------------------------------------------------------------------------------------
// EPS with a binary preview header

inline Bytes writeEps(const std::string& postscript, const Bytes& tiff) {
  Bytes out = {0xC5, 0xD0, 0xD3, 0xC6};
  const uint32_t psStart = 30;
  putU32le(out, psStart);
  putU32le(out, static_cast<uint32_t>(postscript.size()));
  putU32le(out, 0);  // no metafile preview
  putU32le(out, 0);
  putU32le(out, static_cast<uint32_t>(psStart + postscript.size()));
  putU32le(out, static_cast<uint32_t>(tiff.size()));
  putU16le(out, 0xFFFF);
  out.insert(out.end(), postscript.begin(), postscript.end());
  out.insert(out.end(), tiff.begin(), tiff.end());
  return out;
}

// ---------------------------------------------------------------------------------------
// JPEG through libjpeg

struct JpegOptions {
  int quality = 90;
  bool progressive = false;
  // JCS_RGB (stored as YCbCr), JCS_GRAYSCALE, JCS_CMYK or JCS_YCCK.
  J_COLOR_SPACE space = JCS_RGB;
  bool adobeMarker = true;  // CMYK/YCCK only: the marker that says the inks are inverted
  bool arithmetic = false;
};

// For CMYK and YCCK the inks are derived from the image: inverted (Adobe) when the marker is
// written, plain otherwise, so the decoded picture is the image itself again.
inline Bytes writeJpeg(const Image& img, const JpegOptions& o = {}) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = installJpegErrorHandler(err);
  jpeg_create_compress(&cinfo);
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  Bytes out;
  try {
    jpeg_mem_dest(&cinfo, &mem, &memSize);
    cinfo.image_width = static_cast<JDIMENSION>(img.width());
    cinfo.image_height = static_cast<JDIMENSION>(img.height());
    const bool cmyk = o.space == JCS_CMYK || o.space == JCS_YCCK;
    cinfo.input_components = o.space == JCS_GRAYSCALE ? 1 : cmyk ? 4 : 3;
    cinfo.in_color_space = o.space == JCS_GRAYSCALE ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, o.quality, TRUE);
    if (cmyk) jpeg_set_colorspace(&cinfo, o.space);
    if (cmyk && !o.adobeMarker) cinfo.write_Adobe_marker = FALSE;
    if (o.progressive) jpeg_simple_progression(&cinfo);
    cinfo.arith_code = o.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(img.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
      const int y = static_cast<int>(cinfo.next_scanline);
      for (int x = 0; x < img.width(); ++x) {
        const Rgb c = img.pixel(x, y);
        uint8_t* p =
            row.data() + static_cast<size_t>(x) * static_cast<size_t>(cinfo.input_components);
        if (o.space == JCS_GRAYSCALE) {
          p[0] = c.g;
        } else if (cmyk) {
          // Ink = 255 - colour with no black, so C * K / 255 (inverted) gives the colour back.
          const uint8_t ink[4] = {c.r, c.g, c.b, 255};
          for (int i = 0; i < 4; ++i)
            p[i] = o.adobeMarker ? ink[i] : static_cast<uint8_t>(255 - ink[i]);
        } else {
          p[0] = c.r;
          p[1] = c.g;
          p[2] = c.b;
        }
      }
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    out.assign(mem, mem + memSize);
  } catch (...) {
    jpeg_destroy_compress(&cinfo);
    free(mem);
    throw;
  }
  jpeg_destroy_compress(&cinfo);
  free(mem);
  return out;
}

// ---------------------------------------------------------------------------------------
// PNG through libpng

struct PngOptions {
  int colourType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlace = false;
  std::vector<Rgb> palette;                                  // palette images
  std::vector<uint8_t> paletteAlpha;                         // tRNS of a palette image
  std::optional<std::array<uint16_t, 3>> transparentColour;  // tRNS of grey (first) or RGB
};

// samples: channels per pixel as the colour type has them, top-down, each at the bit depth.
inline Bytes writePng(int w, int h, const std::vector<uint16_t>& samples, const PngOptions& o) {
  Bytes out;
  png_structp png = png_create_write_struct(
      PNG_LIBPNG_VER_STRING, nullptr,
      [](png_structp, png_const_charp m) { throw std::runtime_error(m); },
      [](png_structp, png_const_charp) {});
  png_infop info = png_create_info_struct(png);
  try {
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t n) {
          auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
          o->insert(o->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), o.bitDepth,
                 o.colourType, o.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!o.palette.empty()) {
      std::vector<png_color> pal;
      for (const Rgb& c : o.palette) pal.push_back({c.r, c.g, c.b});
      png_set_PLTE(png, info, pal.data(), static_cast<int>(pal.size()));
    }
    if (!o.paletteAlpha.empty())
      png_set_tRNS(png, info, o.paletteAlpha.data(), static_cast<int>(o.paletteAlpha.size()),
                   nullptr);
    if (o.transparentColour) {
      png_color_16 c{};
      c.gray = (*o.transparentColour)[0];
      c.red = (*o.transparentColour)[0];
      c.green = (*o.transparentColour)[1];
      c.blue = (*o.transparentColour)[2];
      png_set_tRNS(png, info, nullptr, 0, &c);
    }
    png_write_info(png, info);
    static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    const size_t channels = static_cast<size_t>(kChannels[o.colourType]);
    const size_t perRow = static_cast<size_t>(w) * channels;
    const size_t rowBytes = (perRow * static_cast<size_t>(o.bitDepth) + 7) / 8;
    std::vector<Bytes> rows(static_cast<size_t>(h), Bytes(rowBytes, 0));
    for (size_t y = 0; y < rows.size(); ++y) {
      for (size_t i = 0; i < perRow; ++i) {
        const uint16_t v = samples[y * perRow + i];
        if (o.bitDepth == 16) {
          rows[y][2 * i] = static_cast<uint8_t>(v >> 8);
          rows[y][2 * i + 1] = static_cast<uint8_t>(v);
        } else {
          const size_t bit = i * static_cast<size_t>(o.bitDepth);
          rows[y][bit / 8] |=
              static_cast<uint8_t>(v << (8 - o.bitDepth - static_cast<int>(bit % 8)));
        }
      }
    }
    std::vector<png_bytep> pointers;
    for (Bytes& r : rows) pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
  } catch (...) {
    png_destroy_write_struct(&png, &info);
    throw;
  }
  png_destroy_write_struct(&png, &info);
  return out;
}

// ---------------------------------------------------------------------------------------
// GIF through giflib

struct GifOptions {
  int screenWidth = 0, screenHeight = 0;  // 0: the frame's size
  int left = 0, top = 0;
  bool interlace = false;
  std::vector<Rgb> globalPalette;  // sizes must be powers of two
  std::vector<Rgb> localPalette;
  int transparent = -1;
  int frames = 1;  // further frames repeat the first with every index shifted by one
};

inline ColorMapObject* gifMap(const std::vector<Rgb>& palette) {
  std::vector<GifColorType> colours;
  for (const Rgb& c : palette) colours.push_back({c.r, c.g, c.b});
  return GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
}

inline Bytes writeGif(int w, int h, const std::vector<uint8_t>& indices, const GifOptions& o) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(
      &out,
      [](GifFileType* g, const GifByteType* data, int n) {
        auto* o = static_cast<Bytes*>(g->UserData);
        o->insert(o->end(), data, data + n);
        return n;
      },
      &error);
  if (!gif) throw std::runtime_error("EGifOpen failed");
  ColorMapObject* global = o.globalPalette.empty() ? nullptr : gifMap(o.globalPalette);
  ColorMapObject* local = o.localPalette.empty() ? nullptr : gifMap(o.localPalette);
  bool ok = true;
  EGifSetGifVersion(gif, true);
  ok &= EGifPutScreenDesc(gif, o.screenWidth ? o.screenWidth : w,
                          o.screenHeight ? o.screenHeight : h, 8, 0, global) == GIF_OK;
  for (int f = 0; f < o.frames && ok; ++f) {
    if (o.transparent >= 0) {
      const uint8_t gce[4] = {1, 0, 0, static_cast<uint8_t>(o.transparent)};
      ok &= EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce) == GIF_OK;
    }
    ok &= EGifPutImageDesc(gif, o.left, o.top, w, h, o.interlace, local) == GIF_OK;
    std::vector<int> order;
    if (o.interlace) {
      static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
      for (int p = 0; p < 4; ++p)
        for (int y = kStart[p]; y < h; y += kStep[p]) order.push_back(y);
    } else {
      for (int y = 0; y < h; ++y) order.push_back(y);
    }
    const int colours = local ? local->ColorCount : global->ColorCount;
    for (int y : order) {
      std::vector<GifPixelType> line(indices.begin() + y * w, indices.begin() + (y + 1) * w);
      for (auto& v : line) v = static_cast<GifPixelType>((v + f) % colours);
      ok &= ok && EGifPutLine(gif, line.data(), w) == GIF_OK;
    }
  }
  ok &= EGifCloseFile(gif, &error) == GIF_OK;
  GifFreeMapObject(global);
  GifFreeMapObject(local);
  if (!ok) throw std::runtime_error("writing the GIF failed");
  return out;
}

// ---------------------------------------------------------------------------------------
// TIFF through libtiff, into memory

struct TiffOptions {
  uint16_t photometric = PHOTOMETRIC_RGB;
  uint16_t compression = COMPRESSION_NONE;
  uint16_t bitsPerSample = 8;
  uint16_t samplesPerPixel = 3;
  uint16_t extraSamples = 0;  // 1 with EXTRASAMPLE_ASSOCALPHA or UNASSALPHA below
  uint16_t extraSampleType = EXTRASAMPLE_UNASSALPHA;
  uint32_t rowsPerStrip = 0;  // 0: 3 rows per strip
  uint32_t tileSize = 0;      // 16, 32, ...: tiled instead of stripped
  uint16_t planar = PLANARCONFIG_CONTIG;
  std::vector<uint16_t> colourMap;  // red, green, blue tables of 2^bits entries each
  int pages = 1;
};

struct MemoryFile {
  Bytes data;
  uint64_t pos = 0;
};

// raw: the samples packed as TIFF stores them uncompressed (rows start on a byte), chunky.
inline Bytes writeTiff(int w, int h, const Bytes& raw, const TiffOptions& o) {
  MemoryFile file;
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  auto quiet = [](TIFF*, void*, const char*, const char*, va_list) { return 1; };
  TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
  TIFF* tif = TIFFClientOpenExt(
      "memory", "w", &file,
      [](thandle_t hnd, void* buf, tmsize_t n) -> tmsize_t {
        auto* f = static_cast<MemoryFile*>(hnd);
        const uint64_t have = f->pos < f->data.size() ? f->data.size() - f->pos : 0;
        const size_t count =
            static_cast<size_t>(std::min<uint64_t>(have, static_cast<uint64_t>(n)));
        std::memcpy(buf, f->data.data() + f->pos, count);
        f->pos += count;
        return static_cast<tmsize_t>(count);
      },
      [](thandle_t hnd, void* buf, tmsize_t n) -> tmsize_t {
        auto* f = static_cast<MemoryFile*>(hnd);
        if (f->data.size() < f->pos + static_cast<uint64_t>(n))
          f->data.resize(f->pos + static_cast<uint64_t>(n));
        std::memcpy(f->data.data() + f->pos, buf, static_cast<size_t>(n));
        f->pos += static_cast<uint64_t>(n);
        return n;
      },
      [](thandle_t hnd, toff_t off, int whence) -> toff_t {
        auto* f = static_cast<MemoryFile*>(hnd);
        f->pos = (whence == SEEK_SET ? 0 : whence == SEEK_CUR ? f->pos : f->data.size()) + off;
        return f->pos;
      },
      [](thandle_t) { return 0; },
      [](thandle_t hnd) -> toff_t { return static_cast<MemoryFile*>(hnd)->data.size(); },
      [](thandle_t, void**, toff_t*) { return 0; }, [](thandle_t, void*, toff_t) {}, options);
  TIFFOpenOptionsFree(options);
  if (!tif) throw std::runtime_error("TIFFClientOpen failed");
  const size_t rowBytes = (static_cast<size_t>(w) * o.samplesPerPixel * o.bitsPerSample + 7) / 8;
  bool ok = true;
  for (int page = 0; page < o.pages && ok; ++page) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(w));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(h));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, o.bitsPerSample);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, o.samplesPerPixel);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, o.photometric);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, o.compression);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, o.planar);
    if (o.compression == COMPRESSION_JPEG)
      TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    if (o.extraSamples) {
      const uint16_t type = o.extraSampleType;
      TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &type);
    }
    if (!o.colourMap.empty()) {
      const size_t n = o.colourMap.size() / 3;
      TIFFSetField(tif, TIFFTAG_COLORMAP, o.colourMap.data(), o.colourMap.data() + n,
                   o.colourMap.data() + 2 * n);
    }
    if (o.pages > 1) {
      TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
      TIFFSetField(tif, TIFFTAG_PAGENUMBER, page, o.pages);
    }
    // Later pages are inverted so that a reader of the wrong page is seen.
    auto rowOf = [&](int y) {
      Bytes row(raw.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(y) * rowBytes),
                raw.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(y + 1) * rowBytes));
      if (page > 0)
        for (auto& b : row) b = static_cast<uint8_t>(~b);
      return row;
    };
    if (o.tileSize) {
      TIFFSetField(tif, TIFFTAG_TILEWIDTH, o.tileSize);
      TIFFSetField(tif, TIFFTAG_TILELENGTH, o.tileSize);
      const size_t pixelBytes = o.samplesPerPixel * o.bitsPerSample / 8;
      for (uint32_t ty = 0; ty < static_cast<uint32_t>(h); ty += o.tileSize) {
        for (uint32_t tx = 0; tx < static_cast<uint32_t>(w); tx += o.tileSize) {
          Bytes tile(o.tileSize * o.tileSize * pixelBytes, 0);
          for (uint32_t y = 0; y < o.tileSize && ty + y < static_cast<uint32_t>(h); ++y) {
            const Bytes row = rowOf(static_cast<int>(ty + y));
            const size_t n = std::min<size_t>(o.tileSize, static_cast<size_t>(w) - tx) * pixelBytes;
            std::memcpy(tile.data() + y * o.tileSize * pixelBytes, row.data() + tx * pixelBytes, n);
          }
          ok &= TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0) >= 0;
        }
      }
    } else {
      TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, o.rowsPerStrip ? o.rowsPerStrip : 3u);
      for (int y = 0; y < h && ok; ++y) {
        Bytes row = rowOf(y);
        ok &= TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y), 0) >= 0;
      }
    }
    ok &= TIFFWriteDirectory(tif) != 0;
  }
  TIFFClose(tif);
  if (!ok) throw std::runtime_error("writing the TIFF failed");
  return file.data;
}

// Rewrites the Compression tag of the first directory of a little-endian classic TIFF, to
// produce files with schemes this program does not write itself.
inline void patchTiffCompression(Bytes& tiff, uint16_t value) {
  const uint32_t ifd =
      tiff[4] | tiff[5] << 8 | tiff[6] << 16 | static_cast<uint32_t>(tiff[7]) << 24;
  const unsigned count = tiff[ifd] | tiff[ifd + 1] << 8;
  for (unsigned i = 0; i < count; ++i) {
    const size_t e = ifd + 2 + 12 * i;
    if ((tiff[e] | tiff[e + 1] << 8) == TIFFTAG_COMPRESSION) {
      tiff[e + 8] = static_cast<uint8_t>(value);
      tiff[e + 9] = static_cast<uint8_t>(value >> 8);
      return;
    }
  }
  throw std::runtime_error("no Compression tag");
}

// The image's pixels as chunky 8-bit R, G, B samples.
inline Bytes rgbSamples(const Image& img) {
  Bytes raw;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const Rgb c = img.pixel(x, y);
      raw.insert(raw.end(), {c.r, c.g, c.b});
    }
  return raw;
}

}  // namespace lumabord::testing
