// JPEG writer through libjpeg: the library's defaults (JFIF, YCbCr with 2 x 2 chroma, the
// standard Huffman tables), the floating-point DCT, the quality with baseline quantisation
// forced, and the simple progression when progressive; the photo's profile and metadata as
// image_writers.h says. The whole file is compressed into
// memory first and then written through AtomicFile, so a failed encoding touches no file.
#include <algorithm>
#include <vector>

#include "base/file_io.h"
#include "codecs/image_writers.h"
#include "codecs/jpeg_glue.h"
#include "codecs/srgb_conversion.h"

namespace lumabord {
namespace {

// A destination that grows a vector. libjpeg's own memory destination loses track of its
// buffer when an error ends the compression half-way; this one is owned by the caller.
struct VectorDestination {
  jpeg_destination_mgr mgr{};
  std::vector<uint8_t>* bytes = nullptr;
};

constexpr size_t kFirstBufferBytes = size_t{1} << 16;

VectorDestination& destinationOf(j_compress_ptr cinfo) {
  return *reinterpret_cast<VectorDestination*>(cinfo->dest);
}

void initDestination(j_compress_ptr cinfo) {
  VectorDestination& dest = destinationOf(cinfo);
  dest.bytes->resize(kFirstBufferBytes);
  dest.mgr.next_output_byte = dest.bytes->data();
  dest.mgr.free_in_buffer = dest.bytes->size();
}

// Called when the buffer is full (free_in_buffer is 0): double it.
boolean emptyOutputBuffer(j_compress_ptr cinfo) {
  VectorDestination& dest = destinationOf(cinfo);
  const size_t used = dest.bytes->size();
  dest.bytes->resize(used * 2);
  dest.mgr.next_output_byte = dest.bytes->data() + used;
  dest.mgr.free_in_buffer = dest.bytes->size() - used;
  return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
  VectorDestination& dest = destinationOf(cinfo);
  dest.bytes->resize(dest.bytes->size() - dest.mgr.free_in_buffer);
}

class Compressor {
 public:
  explicit Compressor(std::vector<uint8_t>& bytes) {
    cinfo_.err = installJpegErrorHandler(err_);
    jpeg_create_compress(&cinfo_);
    dest_.bytes = &bytes;
    dest_.mgr.init_destination = initDestination;
    dest_.mgr.empty_output_buffer = emptyOutputBuffer;
    dest_.mgr.term_destination = termDestination;
    cinfo_.dest = &dest_.mgr;
  }
  ~Compressor() { jpeg_destroy_compress(&cinfo_); }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;

  jpeg_compress_struct* operator->() { return &cinfo_; }
  jpeg_compress_struct* get() { return &cinfo_; }

 private:
  jpeg_error_mgr err_{};
  jpeg_compress_struct cinfo_{};
  VectorDestination dest_;
};

}  // namespace

std::vector<uint8_t> encodeJpeg(const Image& image, const JpegOptions& options,
                                const PhotoTags* photo) {
  std::vector<uint8_t> bytes;
  Compressor cinfo(bytes);
  cinfo->image_width = static_cast<JDIMENSION>(image.width());
  cinfo->image_height = static_cast<JDIMENSION>(image.height());
  cinfo->input_components = 3;
  // The rows are handed over as they lie in the Image (blue, green, red, top row first);
  // the library's colour conversion from this order gives the same bytes as from RGB.
  cinfo->in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(cinfo.get());
  cinfo->dct_method = JDCT_FLOAT;
  jpeg_set_quality(cinfo.get(), options.quality, TRUE);
  if (options.progressive) jpeg_simple_progression(cinfo.get());
  // options.smoothing only affects how a decoder shows a progressive file while it loads;
  // the encoder's own input smoothing stays off.

  jpeg_start_compress(cinfo.get(), TRUE);
  if (carriesProfile(photo)) {
    const std::vector<uint8_t>& srgb = srgbProfileBytes();
    jpeg_write_icc_profile(cinfo.get(), srgb.data(), static_cast<unsigned>(srgb.size()));
  }
  constexpr int kRowsPerCall = 16;
  JSAMPROW rows[kRowsPerCall];
  while (cinfo->next_scanline < cinfo->image_height) {
    const int first = static_cast<int>(cinfo->next_scanline);
    const int count = std::min(kRowsPerCall, image.height() - first);
    for (int r = 0; r < count; ++r) rows[r] = const_cast<JSAMPROW>(image.row(first + r));
    jpeg_write_scanlines(cinfo.get(), rows, static_cast<JDIMENSION>(count));
  }
  jpeg_finish_compress(cinfo.get());
  if (const PhotoMetadata* metadata = keptMetadata(photo, options))
    return embedMetadata(bytes, metadata, image.width(), image.height(), options.keepGps, {});
  return bytes;
}

void WriteJpegFile(const std::filesystem::path& path, const Image& image,
                   const JpegOptions& options, const PhotoTags* photo) {
  const std::vector<uint8_t> bytes = encodeJpeg(image, options, photo);
  writeFileAtomic(path, bytes);
}

}  // namespace lumabord
