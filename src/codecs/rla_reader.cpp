// Alias/Wavefront reader (rla, rpf): the active window of 8-bit colour channels (grey or
// R,G,B) and an optional matte put over white; each channel of each row run-length coded,
// rows found through the offset table, bottom row first.
#include <array>
#include <vector>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/picture_source.h"
#include "codecs/run_length.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "RLA";
constexpr size_t kHeaderBytes = 740;
constexpr size_t kChannelBitsAt = 658;
constexpr size_t kMatteBitsAt = 662;

}  // namespace

Image readRla(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  in.skip(8);  // the full window
  const int left = in.i16be(), right = in.i16be(), bottom = in.i16be(), top = in.i16be();
  in.skip(4);  // frame, storage type
  const int colourChannels = in.i16be();
  const int matteChannels = in.i16be();
  in.seek(kChannelBitsAt);
  const int channelBits = in.i16be();
  in.seek(kMatteBitsAt);
  const int matteBits = in.i16be();
  in.seek(kHeaderBytes);
  if ((colourChannels != 1 && colourChannels != 3) || matteChannels < 0 || matteChannels > 1)
    fail("Invalid color format in %s file.", kFormat);
  // Files of older writers leave the bit counts at zero, meaning 8.
  if ((channelBits != 8 && channelBits != 0) || (matteChannels && matteBits != 8 && matteBits != 0))
    fail("Invalid color format in %s file.", kFormat);
  const int64_t width = int64_t{right} - left + 1, height = int64_t{top} - bottom + 1;
  checkPictureSize(source, kFormat, width, height);
  // The offset table, then at least a length word per channel of each row.
  const int channels = colourChannels + matteChannels;
  checkFileHolds(source, kFormat, static_cast<uint64_t>(height) * (4 + 2 * channels), in.remaining());

  std::vector<uint32_t> offsets(static_cast<size_t>(height));
  for (auto& o : offsets) o = in.u32be();
  const size_t w = static_cast<size_t>(width);
  std::array<std::vector<uint8_t>, 4> planes;
  for (int c = 0; c < channels; ++c) planes[c].resize(w);

  Image image(static_cast<int>(width), static_cast<int>(height));
  for (int64_t row = 0; row < height; ++row) {
    in.seek(offsets[static_cast<size_t>(row)]);
    for (int c = 0; c < channels; ++c) {
      ByteReader packed(in.bytes(in.u16be()), kFormat);
      unpackSignedRuns(packed, planes[c]);
    }
    uint8_t* out = image.row(static_cast<int>(height - 1 - row));
    const bool grey = colourChannels == 1;
    for (size_t x = 0; x < w; ++x, out += 3) {
      const unsigned a = matteChannels ? planes[colourChannels][x] : 255;
      out[0] = overWhite(planes[grey ? 0 : 2][x], a);
      out[1] = overWhite(planes[grey ? 0 : 1][x], a);
      out[2] = overWhite(planes[0][x], a);
    }
  }
  return image;
}

}  // namespace lumabord
