// Run-length decoders shared by the readers: each fills exactly the output span from a
// ByteReader and throws the reader's "Stream read error in %s file." when the input ends
// first. Runs that overshoot the output are cut at its end (many writers pad the last
// packet), so no decoder ever writes outside the span.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "codecs/byte_reader.h"

namespace lumabord {

// PackBits (TIFF 32773, PSD, Macintosh PICT): a signed count byte n; 0..127 copies the next
// n + 1 bytes, -127..-1 repeats the next byte 1 - n times, -128 is skipped.
void unpackPackBits(ByteReader& in, std::span<uint8_t> out);

// Signed-count packets (Wavefront RLA): a signed count n; 0..127 repeats the next byte
// n + 1 times, -128..-1 copies the next -n bytes.
void unpackSignedRuns(ByteReader& in, std::span<uint8_t> out);

// Offset-count packets (Paintshop Pro): a count c above 128 repeats the next byte c - 128
// times, otherwise c literal bytes follow.
void unpackOffsetCountRuns(ByteReader& in, std::span<uint8_t> out);

// Packets of whole pixels (Targa): a header byte h; with the high bit set the next pixel of
// `pixelBytes` bytes repeats (h & 0x7F) + 1 times, otherwise (h & 0x7F) + 1 literal pixels
// follow. Packets may run from one row into the next, so a picture is read a row at a time
// through one stream that keeps the open packet between calls.
class PixelPacketStream {
 public:
  PixelPacketStream(ByteReader& in, size_t pixelBytes);
  // Fills out, whose size must be a multiple of pixelBytes.
  void read(std::span<uint8_t> out);

 private:
  ByteReader& in_;
  size_t pixelBytes_;
  size_t pending_ = 0;  // pixels of the open packet not yet given out
  bool repeat_ = false;
  std::span<const uint8_t> pixels_;  // the repeated pixel, or the literal pixels left
};

// Count-flagged bytes (ZSoft PCX): a byte with both top bits set gives a count (b & 0x3F)
// for the byte that follows; any other byte stands for itself. Runs may cross lines: the
// stream keeps the open run between calls.
class CountFlaggedStream {
 public:
  explicit CountFlaggedStream(ByteReader& in) : in_(in) {}
  void read(std::span<uint8_t> out);

 private:
  ByteReader& in_;
  size_t pending_ = 0;
  uint8_t value_ = 0;
};

// Literal-flagged bytes (SGI): a byte c; c & 0x7F == 0 ends the row; with the high bit set
// (c & 0x7F) literal bytes follow, otherwise the next byte repeats (c & 0x7F) times.
// Returns the number of bytes written (a row may end early; the rest stays untouched).
size_t unpackLiteralFlagged(ByteReader& in, std::span<uint8_t> out);
// Run-flagged bytes (Dr. Halo): the mirror of the above, with the high bit set the next byte
// repeats (c & 0x7F) times, otherwise (c & 0x7F) literal bytes follow; 0 ends the row.
size_t unpackRunFlagged(ByteReader& in, std::span<uint8_t> out);
// The literal-flagged scheme over 16-bit big-endian words: control words and values are both words.
size_t unpackLiteralFlagged16(ByteReader& in, std::span<uint16_t> out);

}  // namespace lumabord
