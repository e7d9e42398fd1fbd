// Bitmaps inside metafile records.
#include "codecs/metafile_dib.h"

#include "codecs/byte_reader.h"
#include "codecs/dib_decoder.h"

namespace lumabord {

MetafileDib decodeMetafileDib(std::span<const uint8_t> data, std::optional<uint64_t> bitsOffset,
                              const PictureSource& source, MetafileCanvas& canvas) {
  if (data.size() >= 12) {
    const bool core = loadU32le(data.data()) == 12;
    const int64_t w =
        core ? loadU16le(data.data() + 4) : static_cast<int32_t>(loadU32le(data.data() + 4));
    const int64_t h =
        core ? loadU16le(data.data() + 6) : static_cast<int32_t>(loadU32le(data.data() + 8));
    canvas.spend(static_cast<uint64_t>(w < 0 ? -w : w) * static_cast<uint64_t>(h < 0 ? -h : h));
  }
  DibLayout layout;
  layout.pixelOffset = bitsOffset;
  MetafileDib dib;
  // Core headers (12 bytes) are always bottom-up; the others say so by a positive height.
  dib.bottomUp = data.size() < 12 || loadU32le(data.data()) == 12 ||
                 static_cast<int32_t>(loadU32le(data.data() + 8)) > 0;
  dib.image = decodeDib(data, layout, source).image;
  return dib;
}

}  // namespace lumabord
