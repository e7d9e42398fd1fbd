// The mask BMP reader: every size is checked against the file length before it is used.
#include "compose/bevel_mask.h"

#include <cstring>

#include "base/checked_math.h"
#include "base/error.h"
#include "base/file_io.h"

namespace lumabord {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  void need(uint64_t count, const char* what) const {
    if (count > bytes_.size() - pos_) {
      fail("The mask file is truncated: %s needs %llu bytes at offset %zu, the file has %zu", what,
           static_cast<unsigned long long>(count), pos_, bytes_.size());
    }
  }
  void skip(size_t count) { pos_ += count; }
  uint32_t u16() {
    const uint32_t v = bytes_[pos_] | (uint32_t{bytes_[pos_ + 1]} << 8);
    pos_ += 2;
    return v;
  }
  uint32_t u32() {
    const uint32_t lo = u16();
    return lo | (u16() << 16);
  }
  const uint8_t* here() const { return bytes_.data() + pos_; }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

}  // namespace

BevelMask readBevelMask(std::span<const uint8_t> bytes) {
  Reader in(bytes);
  in.need(18, "the file and bitmap header size");
  in.skip(14);
  const uint32_t headerSize = in.u32();
  if (headerSize == 0) return {};

  int64_t width = 0;
  int64_t height = 0;
  uint32_t bitsPerPixel = 0;
  uint64_t paletteBytes = 0;
  if (headerSize == 12) {
    in.need(8, "the bitmap header");
    width = in.u16();
    height = in.u16();
    in.skip(2);  // planes
    bitsPerPixel = in.u16();
    paletteBytes = 768;
  } else if (headerSize == 40) {
    in.need(36, "the bitmap header");
    width = static_cast<int32_t>(in.u32());
    height = static_cast<int32_t>(in.u32());
    in.skip(2);  // planes
    bitsPerPixel = in.u16();
    in.skip(16);  // compression, image size, two resolutions
    const uint32_t coloursUsed = in.u32();
    in.skip(4);  // important colours
    paletteBytes = 4 * uint64_t{coloursUsed == 0 ? 256 : coloursUsed};
  } else {
    fail("Invalid stream format!");
  }
  if (bitsPerPixel != 8) fail("Channels support 256-colors bitmaps only!");
  if (width < 0 || height < 0) {
    fail("The mask size %lld x %lld is not valid", static_cast<long long>(width),
         static_cast<long long>(height));
  }
  if (!pixelCountAllowed(width, height)) {
    fail("A mask of %lld x %lld pixels is beyond the limit of %llu pixels",
         static_cast<long long>(width), static_cast<long long>(height),
         static_cast<unsigned long long>(Limits::kMaxPixels));
  }
  in.need(paletteBytes, "the palette");
  in.skip(static_cast<size_t>(paletteBytes));
  if (width == 0 || height == 0) return {};

  const size_t w = static_cast<size_t>(width);
  const size_t h = static_cast<size_t>(height);
  const size_t rowBytes = (w + 3) & ~size_t{3};
  in.need(uint64_t{rowBytes} * h, "the pixel rows");
  BevelMask mask;
  mask.width = static_cast<int>(width);
  mask.height = static_cast<int>(height);
  mask.values.resize(w * h);
  const uint8_t* rows = in.here();
  for (size_t y = 0; y < h; ++y) {
    std::memcpy(mask.values.data() + y * w, rows + (h - 1 - y) * rowBytes, w);
  }
  return mask;
}

BevelMask loadBevelMask(const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = readFile(path);
  return readBevelMask(bytes);
}

}  // namespace lumabord
