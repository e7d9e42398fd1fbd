// Portable bitmap, graymap and pixmap reader (pbm, pgm, ppm): the plain (P1-P3) and raw
// (P4-P6) forms, comments anywhere in the header, maxval up to 65535.
#include <cctype>

#include "base/error.h"
#include "codecs/byte_reader.h"
#include "codecs/pixel_unpack.h"
#include "codecs/picture_source.h"

namespace lumabord {
namespace {

// Reads the whitespace-separated decimal numbers of the header and of the plain forms;
// '#' starts a comment that runs to the end of its line.
class TokenReader {
 public:
  explicit TokenReader(ByteReader& in) : in_(in) {}

  void skipSpace() {
    while (!in_.atEnd()) {
      const uint8_t c = in_.peek(1)[0];
      if (c == '#') {
        while (!in_.atEnd() && in_.peek(1)[0] != '\n' && in_.peek(1)[0] != '\r') in_.skip(1);
      } else if (std::isspace(c)) {
        in_.skip(1);
      } else {
        return;
      }
    }
  }

  // A decimal number; values beyond `limit` are refused as invalid.
  uint32_t number(const char* format, uint32_t limit) {
    skipSpace();
    if (in_.atEnd()) in_.failRead();
    uint64_t value = 0;
    int digits = 0;
    while (!in_.atEnd() && std::isdigit(in_.peek(1)[0])) {
      value = value * 10 + (in_.u8() - '0');
      if (value > limit) failInvalidFormat(format);
      ++digits;
    }
    if (digits == 0) failInvalidFormat(format);
    return static_cast<uint32_t>(value);
  }

  // One digit 0 or 1 of a plain bitmap: the digits need not be separated.
  uint8_t bit(const char* format) {
    skipSpace();
    const uint8_t c = in_.u8();
    if (c != '0' && c != '1') failInvalidFormat(format);
    return static_cast<uint8_t>(c - '0');
  }

 private:
  ByteReader& in_;
};

const char* formatOf(char kind) {
  switch (kind) {
    case '1':
    case '4':
      return "PBM";
    case '2':
    case '5':
      return "PGM";
    default:
      return "PPM";
  }
}

// Writes one B,G,R pixel per `channels` scaled samples (1: grey, 3: R,G,B).
void putSamples(const uint32_t* samples, int channels, uint32_t maxval, size_t width,
                uint8_t* bgr) {
  for (size_t x = 0; x < width; ++x, bgr += 3, samples += channels) {
    if (channels == 1) {
      bgr[0] = bgr[1] = bgr[2] = scaleToByte(samples[0], maxval);
    } else {
      bgr[0] = scaleToByte(samples[2], maxval);
      bgr[1] = scaleToByte(samples[1], maxval);
      bgr[2] = scaleToByte(samples[0], maxval);
    }
  }
}

}  // namespace

Image readPnm(const PictureSource& source) {
  ByteReader in(source.bytes, "PNM");
  if (in.size() < 2 || in.peek(2)[0] != 'P' || in.peek(2)[1] < '1' || in.peek(2)[1] > '6')
    failInvalidFormat("PNM");
  const char kind = static_cast<char>(in.bytes(2)[1]);
  const char* format = formatOf(kind);
  ByteReader body(source.bytes, format);
  body.seek(2);
  TokenReader tokens(body);

  const uint32_t width = tokens.number(format, Limits::kMaxSide);
  const uint32_t height = tokens.number(format, Limits::kMaxSide);
  const bool bitmap = kind == '1' || kind == '4';
  const uint32_t maxval = bitmap ? 1 : tokens.number(format, 65535);
  if (maxval == 0) failInvalidFormat(format);
  const int channels = kind == '3' || kind == '6' ? 3 : 1;
  const bool plain = kind <= '3';
  checkPictureSize(source, format, width, height);
  // Exactly one whitespace byte separates the header from raw samples.
  if (!plain) {
    if (body.atEnd() || !std::isspace(body.peek(1)[0])) failInvalidFormat(format);
    body.skip(1);
  }

  const size_t samplesPerRow = size_t{width} * static_cast<size_t>(channels);
  const size_t sampleBytes = maxval > 255 ? 2 : 1;
  const size_t rowBytes =
      kind == '4' ? packedBytes(width, 1) : plain ? samplesPerRow : samplesPerRow * sampleBytes;
  // Plain samples take at least one character each, raw rows their exact size.
  checkFileHolds(source, format, uint64_t{rowBytes} * height, body.remaining());

  Image image(static_cast<int>(width), static_cast<int>(height));
  std::vector<uint32_t> samples(samplesPerRow);
  std::vector<uint8_t> bits(kind == '4' ? width : 0);
  for (uint32_t y = 0; y < height; ++y) {
    if (kind == '1') {
      for (auto& s : samples) s = 1 - tokens.bit(format);  // 1 is black
    } else if (kind == '4') {
      unpackSamples(body.bytes(rowBytes), 1, width, bits.data());
      for (size_t x = 0; x < width; ++x) samples[x] = 1u - bits[x];
    } else if (plain) {
      for (auto& s : samples) s = tokens.number(format, 65535);
    } else {
      const auto row = body.bytes(rowBytes);
      for (size_t i = 0; i < samplesPerRow; ++i)
        samples[i] = sampleBytes == 2 ? loadU16be(row.data() + 2 * i) : row[i];
    }
    putSamples(samples.data(), channels, maxval, width, image.row(static_cast<int>(y)));
  }
  return image;
}

}  // namespace lumabord
