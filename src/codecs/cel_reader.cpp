// Autodesk Animator picture reader (cel, pic): the 32-byte header, a 256-colour palette of
// 6-bit components and one byte per pixel, top row first.
#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/pixel_unpack.h"
#include "codecs/picture_source.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "CEL";
constexpr uint16_t kMagic = 0x9119;
constexpr size_t kHeaderBytes = 32;

}  // namespace

Image readCel(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  if (in.u16le() != kMagic) failInvalidFormat(kFormat);
  const uint16_t width = in.u16le();
  const uint16_t height = in.u16le();
  in.skip(4);  // position on the screen
  const uint8_t bits = in.u8();
  const uint8_t compression = in.u8();
  in.seek(kHeaderBytes);
  if (bits != 8) fail("Invalid color format in %s file.", kFormat);
  if (compression != 0) failUnsupportedCompression(kFormat);
  const uint64_t pixels = checkPictureSize(source, kFormat, width, height);
  checkFileHolds(source, kFormat, 768 + pixels, in.remaining());

  const auto rgb = in.bytes(768);
  Palette palette;
  for (size_t i = 0; i < 256; ++i) {
    // Components run 0..63; larger values of damaged files saturate.
    palette.add({scaleToByte(rgb[3 * i], 63), scaleToByte(rgb[3 * i + 1], 63),
                 scaleToByte(rgb[3 * i + 2], 63)});
  }
  Image image(width, height);
  for (int y = 0; y < height; ++y) palette.expand(in.bytes(width).data(), width, image.row(y));
  return image;
}

}  // namespace lumabord
