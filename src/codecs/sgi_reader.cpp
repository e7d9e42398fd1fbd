// SGI image reader (sgi, rgb, rgba, bw): verbatim and run-length files with 1 to 4
// channels (grey, grey + alpha, RGB, RGBA) of 8 or 16 bits, stored bottom row first.
#include <algorithm>
#include <array>
#include <vector>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/pixel_unpack.h"
#include "codecs/picture_source.h"
#include "codecs/run_length.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "SGI";
constexpr uint16_t kMagic = 474;
constexpr size_t kHeaderBytes = 512;

struct Header {
  bool rle = false;
  int bytesPerSample = 1;
  uint32_t width = 0, height = 0, channels = 0;
};

Header readHeader(ByteReader& in) {
  if (in.u16be() != kMagic) failInvalidFormat(kFormat);
  Header h;
  const uint8_t storage = in.u8();
  const uint8_t bpc = in.u8();
  const uint16_t dimension = in.u16be();
  h.width = in.u16be();
  h.height = in.u16be();
  h.channels = in.u16be();
  in.seek(104);
  const uint32_t colourMap = in.u32be();
  in.seek(kHeaderBytes);
  if (storage > 1 || dimension < 1 || dimension > 3) failInvalidFormat(kFormat);
  // Dithered, screen and colour-map files hold no picture of their own.
  if ((bpc != 1 && bpc != 2) || colourMap != 0) fail("Invalid color format in %s file.", kFormat);
  if (dimension < 2) h.height = 1;
  if (dimension < 3) h.channels = 1;
  if (h.channels == 0) fail("Invalid color format in %s file.", kFormat);
  h.rle = storage == 1;
  h.bytesPerSample = bpc;
  return h;
}

// Reads row y of channel z into out (samples widened to 16 bits unscaled).
class RowSource {
 public:
  RowSource(ByteReader& in, const Header& h) : in_(in), h_(h) {
    if (!h.rle) return;
    const size_t rows = size_t{h.height} * h.channels;
    const auto table = in.bytes(uint64_t{rows} * 8);
    starts_.resize(rows);
    for (size_t i = 0; i < rows; ++i) starts_[i] = loadU32be(table.data() + 4 * i);
    bytes_.resize(h.width);
  }

  void read(uint32_t y, uint32_t z, std::span<uint16_t> out) {
    const size_t index = size_t{z} * h_.height + y;
    std::fill(out.begin(), out.end(), 0);
    if (!h_.rle) {
      in_.seek(kHeaderBytes + uint64_t{index} * h_.width * h_.bytesPerSample);
      const auto row = in_.bytes(uint64_t{h_.width} * h_.bytesPerSample);
      for (size_t x = 0; x < h_.width; ++x)
        out[x] = h_.bytesPerSample == 2 ? loadU16be(&row[2 * x]) : row[x];
      return;
    }
    in_.seek(starts_[index]);
    if (h_.bytesPerSample == 2) {
      unpackLiteralFlagged16(in_, out);
    } else {
      const size_t n = unpackLiteralFlagged(in_, bytes_);
      std::copy_n(bytes_.begin(), n, out.begin());
    }
  }

 private:
  ByteReader& in_;
  const Header& h_;
  std::vector<uint32_t> starts_;
  std::vector<uint8_t> bytes_;
};

}  // namespace

Image readSgi(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  const Header h = readHeader(in);
  const uint64_t pixels = checkPictureSize(source, kFormat, h.width, h.height);
  // Run-length rows take at least their 8 table bytes and a terminator.
  const uint64_t least = h.rle ? uint64_t{h.height} * h.channels * 9
                               : pixels * h.channels * static_cast<uint64_t>(h.bytesPerSample);
  checkFileHolds(source, kFormat, least, in.remaining());

  RowSource rows(in, h);
  const uint32_t used = std::min<uint32_t>(h.channels, 4);
  const bool grey = used <= 2;
  const bool alpha = used == 2 || used == 4;
  const uint32_t maxValue = h.bytesPerSample == 2 ? 65535 : 255;
  std::array<std::vector<uint16_t>, 4> channel;
  for (uint32_t z = 0; z < used; ++z) channel[z].resize(h.width);

  Image image(static_cast<int>(h.width), static_cast<int>(h.height));
  for (uint32_t y = 0; y < h.height; ++y) {
    for (uint32_t z = 0; z < used; ++z) rows.read(y, z, channel[z]);
    uint8_t* out = image.row(static_cast<int>(h.height - 1 - y));
    for (size_t x = 0; x < h.width; ++x, out += 3) {
      const uint8_t r = scaleToByte(channel[0][x], maxValue);
      const uint8_t g = grey ? r : scaleToByte(channel[1][x], maxValue);
      const uint8_t b = grey ? r : scaleToByte(channel[2][x], maxValue);
      const unsigned a = alpha ? scaleToByte(channel[used - 1][x], maxValue) : 255;
      out[0] = overWhite(b, a);
      out[1] = overWhite(g, a);
      out[2] = overWhite(r, a);
    }
  }
  return image;
}

}  // namespace lumabord
