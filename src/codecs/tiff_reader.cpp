// TIFF reader through libtiff (tif, tiff, fax): the first page, any common photometric
// interpretation, strips or tiles, 1 to 16 bits per sample; the Compression tag decides
// which files are read at all. libtiff's messages are caught per handle, never printed.
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <vector>

#include "base/error.h"
#include "codecs/memory_source.h"
#include "codecs/picture_source.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "TIF/TIFF";

struct ClientData {
  MemorySource input;
  std::string firstError;
};

tmsize_t readProc(thandle_t h, void* out, tmsize_t size) {
  if (size <= 0) return 0;
  return static_cast<tmsize_t>(
      static_cast<ClientData*>(h)->input.read(out, static_cast<uint64_t>(size)));
}

tmsize_t writeProc(thandle_t, void*, tmsize_t) {
  return 0;
}

toff_t seekProc(thandle_t h, toff_t offset, int whence) {
  MemorySource& input = static_cast<ClientData*>(h)->input;
  return input.seek(offset, whence) ? input.position() : static_cast<toff_t>(-1);
}

int closeProc(thandle_t) {
  return 0;
}
toff_t sizeProc(thandle_t h) {
  return static_cast<ClientData*>(h)->input.size();
}
int mapProc(thandle_t, void**, toff_t*) {
  return 0;
}
void unmapProc(thandle_t, void*, toff_t) {}

int onError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
  auto* c = static_cast<ClientData*>(user);
  if (c->firstError.empty()) {
    char text[512];
    std::vsnprintf(text, sizeof text, fmt, ap);
    c->firstError = module && *module ? std::string(module) + ": " + text : text;
  }
  return 1;  // handled: nothing reaches the global handlers or stderr
}

int onWarning(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

struct OptionsFree {
  void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};
struct TiffClose {
  void operator()(TIFF* t) const { TIFFClose(t); }
};

bool compressionReadable(uint16_t c) {
  switch (c) {
    case COMPRESSION_NONE:
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_LZW:
    case COMPRESSION_JPEG:
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_PACKBITS:
    case COMPRESSION_THUNDERSCAN:
      return true;
    default:
      return false;
  }
}

// The most samples one byte of compressed data can stand for, or 0 when not bounded here.
uint64_t maxExpansion(uint16_t c) {
  switch (c) {
    case COMPRESSION_NONE:
      return 1;
    case COMPRESSION_PACKBITS:
      return 64;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
      return 1032;
    case COMPRESSION_LZW:
      return 2731;
    default:
      return 0;
  }
}

class RgbaImage {
 public:
  RgbaImage(TIFF* tif, ClientData& client, const PictureSource& source)
      : source_(source), client_(client) {
    char message[1024] = "";
    if (!TIFFRGBAImageOK(tif, message) || !TIFFRGBAImageBegin(&img_, tif, 1, message)) {
      fail("Cannot load image %s: %s", source.name.c_str(), message);
    }
    // A photo's rows come as stored; its orientation is applied with a turn where needed
    // (libtiff's own handling only mirrors, which leaves orientations 5 to 8 on their side).
    const bool photo = source.tags != nullptr;
    img_.req_orientation = photo ? img_.orientation : ORIENTATION_TOPLEFT;
    if (photo && img_.orientation >= ORIENTATION_TOPLEFT && img_.orientation <= ORIENTATION_LEFTBOT)
      source.tags->orientation = img_.orientation;
  }
  ~RgbaImage() { TIFFRGBAImageEnd(&img_); }
  RgbaImage(const RgbaImage&) = delete;
  RgbaImage& operator=(const RgbaImage&) = delete;

  // True when rows can be read one at a time in file order and converted by the same code
  // that converts whole strips: chunky samples, top-down, not subsampled.
  bool convertsRows() const {
    return img_.isContig && img_.orientation == img_.req_orientation &&
           img_.photometric != PHOTOMETRIC_YCBCR && img_.put.contig != nullptr;
  }

  // Converts one row of raw chunky samples to ABGR words.
  void convertRow(const uint8_t* samples, uint32_t* raster, uint32_t width, uint32_t y) {
    img_.put.contig(&img_, raster, 0, y, width, 1, 0, 0, const_cast<uint8_t*>(samples));
  }

  void get(uint32_t* raster, uint32_t width, uint32_t rows, uint32_t rowOffset) {
    img_.row_offset = static_cast<int>(rowOffset);
    img_.col_offset = 0;
    if (!TIFFRGBAImageGet(&img_, raster, width, rows)) {
      fail("Cannot load image %s: %s", source_.name.c_str(),
           client_.firstError.empty() ? "the TIFF data cannot be decoded"
                                      : client_.firstError.c_str());
    }
  }

 private:
  TIFFRGBAImage img_{};
  const PictureSource& source_;
  ClientData& client_;
};

}  // namespace

Image decodeTiff(std::span<const uint8_t> bytes, const PictureSource& source) {
  if (bytes.size() < 8 ||
      !((bytes[0] == 'I' && bytes[1] == 'I') || (bytes[0] == 'M' && bytes[1] == 'M')))
    failInvalidFormat(kFormat);
  ClientData client{MemorySource(bytes), {}};
  std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), onError, &client);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), onWarning, &client);
  // Bounds libtiff's own buffers (strips, tiles, tag arrays) by the picture limit.
  const uint64_t maxAlloc =
      std::min<uint64_t>(uint64_t{1} << 31, source.limits.maxPixels * 8 + (16u << 20));
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(maxAlloc));
  std::unique_ptr<TIFF, TiffClose> tif(
      TIFFClientOpenExt(source.name.c_str(), "rm", &client, readProc, writeProc, seekProc,
                        closeProc, sizeProc, mapProc, unmapProc, options.get()));
  if (!tif) {
    if (client.firstError.find("magic") != std::string::npos) failInvalidFormat(kFormat);
    fail("Cannot load image %s: %s", source.name.c_str(),
         client.firstError.empty() ? "the TIFF header cannot be read" : client.firstError.c_str());
  }

  uint16_t compression = COMPRESSION_NONE;
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_COMPRESSION, &compression);
  if (!compressionReadable(compression)) failUnsupportedCompression(kFormat);

  uint32_t width = 0, height = 0;
  TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
  const uint64_t pixels = checkPictureSize(source, kFormat, width, height);
  uint16_t bits = 1, samples = 1;
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
  if (const uint64_t ratio = maxExpansion(compression)) {
    const uint64_t sampleBytes = (pixels * samples * bits + 7) / 8;
    checkFileHolds(source, "TIFF", sampleBytes / ratio, bytes.size());
  }

  if (source.tags && source.tags->iccProfile.empty()) {
    uint32_t iccBytes = 0;
    const uint8_t* icc = nullptr;
    if (TIFFGetField(tif.get(), TIFFTAG_ICCPROFILE, &iccBytes, &icc) && icc && iccBytes > 0)
      source.tags->iccProfile.assign(icc, icc + iccBytes);
  }
  RgbaImage rgba(tif.get(), client, source);
  // Bands of whole strips or tiles of about a million pixels: libtiff decodes a strip from
  // its start for every request, so a band never splits one.
  uint32_t unit = 0;
  if (TIFFIsTiled(tif.get())) {
    TIFFGetField(tif.get(), TIFFTAG_TILELENGTH, &unit);
  } else {
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_ROWSPERSTRIP, &unit);
  }
  unit = std::clamp<uint32_t>(unit, 1, height);
  const uint32_t wanted = std::max<uint32_t>(1, static_cast<uint32_t>((1u << 20) / width));
  const uint32_t band = std::min<uint32_t>(height, (wanted + unit - 1) / unit * unit);

  Image image(static_cast<int>(width), static_cast<int>(height));
  auto toBgr = [&](const uint32_t* src, uint32_t y) {
    uint8_t* dst = image.row(static_cast<int>(y));
    for (uint32_t x = 0; x < width; ++x, dst += 3) {
      // libtiff hands out premultiplied alpha; over white that adds the uncovered part.
      const uint32_t p = src[x];
      const unsigned uncovered = 255 - TIFFGetA(p);
      dst[0] = static_cast<uint8_t>(std::min(255u, TIFFGetB(p) + uncovered));
      dst[1] = static_cast<uint8_t>(std::min(255u, TIFFGetG(p) + uncovered));
      dst[2] = static_cast<uint8_t>(std::min(255u, TIFFGetR(p) + uncovered));
    }
  };
  if (!TIFFIsTiled(tif.get()) && unit > wanted && rgba.convertsRows()) {
    // A strip far taller than a band (a whole fax page or Deflate picture in one strip):
    // libtiff would decode it whole; scanlines keep the decoder's state from row to row.
    std::vector<uint8_t> samples(static_cast<size_t>(TIFFScanlineSize(tif.get())));
    std::vector<uint32_t> raster(width);
    for (uint32_t y = 0; y < height; ++y) {
      if (TIFFReadScanline(tif.get(), samples.data(), y, 0) < 0) {
        fail("Cannot load image %s: %s", source.name.c_str(),
             client.firstError.empty() ? "the TIFF data cannot be decoded"
                                       : client.firstError.c_str());
      }
      rgba.convertRow(samples.data(), raster.data(), width, y);
      toBgr(raster.data(), y);
    }
    return image;
  }
  std::vector<uint32_t> raster(static_cast<size_t>(width) * band);
  for (uint32_t y = 0; y < height; y += band) {
    const uint32_t rows = std::min(band, height - y);
    rgba.get(raster.data(), width, rows, y);
    for (uint32_t r = 0; r < rows; ++r)
      toBgr(raster.data() + static_cast<size_t>(r) * width, y + r);
  }
  return image;
}

Image readTiff(const PictureSource& source) {
  return decodeTiff(source.bytes, source);
}

}  // namespace lumabord
