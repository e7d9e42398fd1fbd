// Kodak Photo-CD reader (pcd): the 768 x 512 base image, PhotoYCC with both chroma planes
// at half resolution, turned upright by the rotation the file records.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/picture_source.h"

namespace lumabord {
namespace {

constexpr const char* kFormat = "PCD";
constexpr size_t kSignatureAt = 0x800;
constexpr size_t kRotationAt = 0xE02;
constexpr size_t kBaseAt = 0x30000;
constexpr int kWidth = 768, kHeight = 512;
// Each pair of rows: two luma rows, then one row of each chroma plane.
constexpr size_t kPairBytes = 2 * kWidth + kWidth;

uint8_t clampByte(double v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// PhotoYCC to RGB (luma and chroma offsets and gains of the Photo-CD encoding).
Rgb fromYcc(uint8_t y, uint8_t c1, uint8_t c2) {
  const double l = 1.3584 * y;
  const double b = 2.2179 * (c1 - 156.0);
  const double r = 1.8215 * (c2 - 137.0);
  return {clampByte(l + r), clampByte(l - 0.194 * b - 0.509 * r), clampByte(l + b)};
}

}  // namespace

Image readPcd(const PictureSource& source) {
  ByteReader in(source.bytes, kFormat);
  if (in.size() < kSignatureAt + 7 || std::memcmp(source.bytes.data() + kSignatureAt, "PCD_IPI", 7) != 0)
    failInvalidFormat(kFormat);
  checkPictureSize(source, kFormat, kWidth, kHeight);
  checkFileHolds(source, kFormat, kBaseAt + kPairBytes * kHeight / 2, in.size());
  in.seek(kRotationAt);
  const int rotation = in.u8() & 3;

  Image upright(kWidth, kHeight);
  in.seek(kBaseAt);
  for (int y = 0; y < kHeight; y += 2) {
    const auto pair = in.bytes(kPairBytes);
    const uint8_t* c1 = pair.data() + 2 * kWidth;
    const uint8_t* c2 = c1 + kWidth / 2;
    for (int row = 0; row < 2; ++row) {
      const uint8_t* luma = pair.data() + row * kWidth;
      for (int x = 0; x < kWidth; ++x) upright.setPixel(x, y + row, fromYcc(luma[x], c1[x / 2], c2[x / 2]));
    }
  }
  if (rotation == 0) return upright;

  // 1: the picture was scanned a quarter turn clockwise, 2: upside down, 3: a quarter turn
  // counter-clockwise.
  const bool quarter = rotation != 2;
  Image turned(quarter ? kHeight : kWidth, quarter ? kWidth : kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb c = upright.pixel(x, y);
      if (rotation == 1) turned.setPixel(y, kWidth - 1 - x, c);
      else if (rotation == 2) turned.setPixel(kWidth - 1 - x, kHeight - 1 - y, c);
      else turned.setPixel(kHeight - 1 - y, x, c);
    }
  }
  return turned;
}

}  // namespace lumabord
