// EPS reader: only files with the binary preview header (C5 D0 D3 C6) are read, and of
// them the TIFF preview they carry; the PostScript itself is never interpreted.
#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/picture_source.h"

namespace lumabord {

Image readEps(const PictureSource& source) {
  constexpr const char* kFormat = "EPS";
  const auto& b = source.bytes;
  if (b.size() < 30 || loadU32le(b.data()) != 0xC6D3D0C5u) failInvalidFormat(kFormat);
  ByteReader in(b, kFormat);
  in.seek(20);
  const uint32_t tiffStart = in.u32le();
  const uint32_t tiffLength = in.u32le();
  if (tiffLength == 0 || tiffStart > b.size() || tiffLength > b.size() - tiffStart)
    failInvalidFormat(kFormat);
  return decodeTiff(b.subspan(tiffStart, tiffLength), source);
}

}  // namespace lumabord
