// JPEG reader through libjpeg: full size, floating-point inverse DCT, block smoothing,
// decoded straight into the rows of the Image; greyscale, CMYK and YCCK become RGB.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>
// After jpeglib.h: the arithmetic coder's messages depend on its configuration.
#include <jerror.h>

#include "base/error.h"
#include "codecs/jpeg_glue.h"
#include "codecs/jpeg_row_decoder.h"
#include "codecs/picture_source.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "JPEG";
constexpr uint64_t kMaxDecodeBytes = uint64_t{2} << 30;

// A memory source that refuses to invent data: libjpeg's own memory source pads a
// truncated file with an end marker and returns grey rows as if nothing was wrong. Here the
// end marker is supplied once, because the Huffman decoder reads ahead and a file may lack
// only its end marker; if the decoder then needs bits that are not there, it warns that it
// hit the marker and the warning becomes an error. The arithmetic decoder reads zeros after
// any marker without a warning (its encoder leaves out trailing zero bytes), so a cut file
// would decode to a flat rest: there the data must end with a marker of the file's own.
struct StrictSource {
  jpeg_source_mgr mgr{};  // first member: cinfo->src points here
  bool endSupplied = false;
};

const JOCTET kEndMarker[2] = {0xFF, JPEG_EOI};

[[noreturn]] void failEndOfInput() {
  fail("JPEG decompression error. Unexpected end of input.");
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<StrictSource*>(cinfo->src);
  if (src->endSupplied || cinfo->arith_code) failEndOfInput();
  src->endSupplied = true;
  src->mgr.next_input_byte = kEndMarker;
  src->mgr.bytes_in_buffer = sizeof kEndMarker;
  return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  if (static_cast<unsigned long>(count) > src->bytes_in_buffer) failEndOfInput();
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<size_t>(count);
}

// What the callbacks need to word their messages.
struct DecodeContext {
  jpeg_progress_mgr progress{};  // first member: cinfo->progress points here
  const std::string* name = nullptr;
};

const char* nameOf(j_common_ptr cinfo) {
  return reinterpret_cast<DecodeContext*>(cinfo->progress)->name->c_str();
}

// Warnings stay silent (cameras write extraneous bytes before markers), except those that
// say the picture data ran out, and a bad arithmetic code, after which the decoder leaves
// the rest of the scan empty: libjpeg would return grey rows as if nothing was wrong.
void onMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_HIT_MARKER || code == JWRN_JPEG_EOF) failEndOfInput();
  if (code == JWRN_ARITH_BAD_CODE)
    fail("Cannot load image %s: the JPEG file's arithmetic-coded data is damaged", nameOf(cinfo));
}

// Real progressive files have about ten scans; thousands of tiny ones only cost time.
constexpr int kMaxScans = 500;

void checkScanCount(j_common_ptr cinfo) {
  const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) {
    fail("Cannot load image %s: the JPEG file has more than %d scans", nameOf(cinfo), kMaxScans);
  }
}

// libjpeg has no backing store: a coefficient buffer over max_memory_to_use stops it here.
[[noreturn]] void onError(j_common_ptr cinfo) {
  if (cinfo->err->msg_code == JERR_NO_BACKING_STORE) {
    fail("Cannot load image %s: the JPEG file needs more than %ld MiB of working memory",
         nameOf(cinfo), cinfo->mem->max_memory_to_use >> 20);
  }
  fail("JPEG error #%d", cinfo->err->msg_code);
}

class Decompressor {
 public:
  Decompressor(std::span<const uint8_t> bytes, const std::string& name) {
    cinfo_.err = installJpegErrorHandler(err_);
    err_.emit_message = onMessage;
    err_.error_exit = onError;
    context_.name = &name;
    context_.progress.progress_monitor = checkScanCount;
    jpeg_create_decompress(&cinfo_);
    cinfo_.progress = &context_.progress;
    source_.mgr.init_source = initSource;
    source_.mgr.fill_input_buffer = fillInputBuffer;
    source_.mgr.skip_input_data = skipInputData;
    source_.mgr.resync_to_restart = jpeg_resync_to_restart;
    source_.mgr.term_source = termSource;
    source_.mgr.next_input_byte = bytes.data();
    source_.mgr.bytes_in_buffer = bytes.size();
    cinfo_.src = &source_.mgr;
  }
  ~Decompressor() { jpeg_destroy_decompress(&cinfo_); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  jpeg_decompress_struct* operator->() { return &cinfo_; }
  jpeg_decompress_struct* get() { return &cinfo_; }

 private:
  jpeg_error_mgr err_{};
  DecodeContext context_;
  jpeg_decompress_struct cinfo_{};
  StrictSource source_;
};

// CMYK as libjpeg returns it: Adobe writers store inverted inks (255 = no ink), which is
// then simply R = C * K / 255; others store plain inks.
void cmykRowToBgr(const uint8_t* cmyk, size_t count, bool inverted, uint8_t* bgr) {
  for (size_t i = 0; i < count; ++i, cmyk += 4, bgr += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
  }
}

}  // namespace

struct JpegRowDecoder::State {
  State(std::span<const uint8_t> bytes, const std::string& name)
      : name(name), cinfo(bytes, this->name) {}
  const std::string name;
  Decompressor cinfo;
  bool cmyk = false;
  std::vector<uint8_t> cmykRow;
};

JpegRowDecoder::JpegRowDecoder(std::span<const uint8_t> bytes, const PictureSource& source)
    : state_(std::make_unique<State>(bytes, source.name)) {
  Decompressor& cinfo = state_->cinfo;
  jpeg_read_header(cinfo.get(), TRUE);
  const int64_t width = cinfo->image_width;
  const int64_t height = cinfo->image_height;
  const uint64_t pixels = checkPictureSize(source, kFormat, width, height);
  // Every 8 x 8 block of a Huffman-coded file costs at least one bit, so a file claims
  // more than it can hold when it declares more than 512 pixels per byte.
  if (!cinfo->arith_code) checkFileHolds(source, kFormat, (pixels + 511) / 512, bytes.size());
  // Multi-scan files keep every coefficient until the last scan (two bytes per sample, more
  // than the picture itself); the decoder's memory, the picture and the file stay in 2 GiB.
  const uint64_t used = pixels * 3 + bytes.size();
  cinfo->mem->max_memory_to_use = static_cast<long>(
      kMaxDecodeBytes > used + (64u << 20) ? kMaxDecodeBytes - used : uint64_t{64} << 20);

  state_->cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = state_->cmyk ? JCS_CMYK : JCS_EXT_BGR;
  cinfo->dct_method = JDCT_FLOAT;
  cinfo->do_block_smoothing = TRUE;
  cinfo->do_fancy_upsampling = TRUE;
  cinfo->quantize_colors = FALSE;
  cinfo->scale_num = 1;
  cinfo->scale_denom = 1;
  jpeg_start_decompress(cinfo.get());
  if (static_cast<int64_t>(cinfo->output_width) != width ||
      static_cast<int64_t>(cinfo->output_height) != height) {
    failInvalidFormat(kFormat);
  }
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  if (state_->cmyk) state_->cmykRow.resize(static_cast<size_t>(width) * 4);
}

JpegRowDecoder::~JpegRowDecoder() = default;

void JpegRowDecoder::readRows(uint8_t* const* rows, int count) {
  Decompressor& cinfo = state_->cinfo;
  if (count < 0 || count > height_ - static_cast<int>(cinfo->output_scanline))
    fail("JPEG rows read beyond the end of the picture");
  int done = 0;
  if (state_->cmyk) {
    JSAMPROW row[1] = {state_->cmykRow.data()};
    const bool inverted = cinfo->saw_Adobe_marker;
    for (; done < count; ++done) {
      if (jpeg_read_scanlines(cinfo.get(), row, 1) != 1) failInvalidFormat(kFormat);
      cmykRowToBgr(row[0], static_cast<size_t>(width_), inverted, rows[done]);
    }
    return;
  }
  while (done < count) {
    const auto read = jpeg_read_scanlines(cinfo.get(), const_cast<JSAMPARRAY>(rows + done),
                                          static_cast<JDIMENSION>(count - done));
    if (read == 0) failInvalidFormat(kFormat);
    done += static_cast<int>(read);
  }
}

Image decodeJpeg(std::span<const uint8_t> bytes, const PictureSource& source) {
  JpegRowDecoder decoder(bytes, source);
  Image image(decoder.width(), decoder.height());
  std::array<uint8_t*, 16> rows;
  for (int y = 0; y < image.height(); y += static_cast<int>(rows.size())) {
    const int count = std::min<int>(static_cast<int>(rows.size()), image.height() - y);
    for (int i = 0; i < count; ++i) rows[static_cast<size_t>(i)] = image.row(y + i);
    decoder.readRows(rows.data(), count);
  }
  // The trailing markers are not read: a file cut after its last scan still gives all rows.
  return image;
}

Image readJpeg(const PictureSource& source) {
  return decodeJpeg(source.bytes, source);
}

}  // namespace lumabord
