// Icon and cursor reader: the largest, deepest entry of the directory, bitmap or
// PNG-compressed, with its transparency put over white.
#include <cstring>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/dib_decoder.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "ICO";

struct Entry {
  uint64_t area = 0;
  int depth = 0;
  std::span<const uint8_t> data;
};

bool isPng(std::span<const uint8_t> d) {
  static const uint8_t kSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return d.size() >= 8 && std::memcmp(d.data(), kSig, 8) == 0;
}

// Bits per pixel of a PNG entry from its IHDR: bit depth times channels.
int pngDepth(std::span<const uint8_t> d) {
  if (d.size() < 26) return 0;
  static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  const int colourType = d[25];
  return colourType <= 6 ? d[24] * kChannels[colourType] : 0;
}

}  // namespace

Image readIco(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  const uint16_t reserved = in.u16le();
  const uint16_t type = in.u16le();
  const uint16_t count = in.u16le();
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) failInvalidFormat(kFormat);

  Entry best;
  for (unsigned i = 0; i < count; ++i) {
    const unsigned w = in.u8(), h = in.u8();
    in.skip(6);
    const uint32_t size = in.u32le();
    const uint32_t offset = in.u32le();
    if (offset > in.size() || size > in.size() - offset)
      fail("Stream read error in %s file.", kFormat);
    Entry e;
    e.data = source.bytes.subspan(offset, size);
    e.area = uint64_t{w ? w : 256} * (h ? h : 256);
    e.depth = isPng(e.data) ? pngDepth(e.data) : dibBitCount(e.data);
    if (e.area > best.area || (e.area == best.area && e.depth > best.depth)) best = e;
  }

  if (isPng(best.data)) return decodePng(best.data, source);
  DibLayout layout;
  layout.icon = true;
  DibPicture dib = decodeDib(best.data, layout, source);
  if (!dib.alpha.empty()) {
    const size_t pixels =
        static_cast<size_t>(dib.image.width()) * static_cast<size_t>(dib.image.height());
    uint8_t* p = dib.image.data();
    for (size_t i = 0; i < pixels; ++i, p += 3) {
      const unsigned a = dib.alpha[i];
      p[0] = overWhite(p[0], a);
      p[1] = overWhite(p[1], a);
      p[2] = overWhite(p[2], a);
    }
  }
  return std::move(dib.image);
}

}  // namespace lumabord
