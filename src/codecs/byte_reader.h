// Bounds-checked reading of little- and big-endian values from a byte span: every reader
// of a file format parses its headers through this, so no read can run past the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lumabord {

// Loads without bounds checks, for callers that have already checked the span.
inline uint16_t loadU16le(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint16_t loadU16be(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] << 8 | p[1]);
}
inline uint32_t loadU32le(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
inline uint32_t loadU32be(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

// A cursor over bytes it does not own. Any read, skip or seek beyond the end throws
// Error("Stream read error in %s file.") with the format name given at construction
// ("BMP", "TGA", ...), and leaves the position unchanged.
class ByteReader {
 public:
  ByteReader(std::span<const uint8_t> bytes, std::string format)
      : bytes_(bytes), format_(std::move(format)) {}
  // The reader does not own its bytes: a temporary vector would be gone before the first read.
  ByteReader(std::vector<uint8_t>&&, std::string) = delete;

  size_t size() const { return bytes_.size(); }
  size_t position() const { return pos_; }
  size_t remaining() const { return bytes_.size() - pos_; }
  bool atEnd() const { return pos_ == bytes_.size(); }
  const std::string& format() const { return format_; }

  // Moves to an absolute offset; offset == size() is allowed (at end).
  void seek(uint64_t offset);
  void skip(uint64_t count);

  uint8_t u8();
  uint16_t u16le();
  uint16_t u16be();
  uint32_t u32le();
  uint32_t u32be();
  int16_t i16le() { return static_cast<int16_t>(u16le()); }
  int16_t i16be() { return static_cast<int16_t>(u16be()); }
  int32_t i32le() { return static_cast<int32_t>(u32le()); }
  int32_t i32be() { return static_cast<int32_t>(u32be()); }

  // The next `count` bytes, consumed.
  std::span<const uint8_t> bytes(uint64_t count);
  // The next `count` bytes without consuming them.
  std::span<const uint8_t> peek(uint64_t count) const;
  // Everything from the position to the end, not consumed.
  std::span<const uint8_t> rest() const { return bytes_.subspan(pos_); }
  // The whole underlying span.
  std::span<const uint8_t> all() const { return bytes_; }

  // Throws the stream read error of this reader's format.
  [[noreturn]] void failRead() const;

 private:
  const uint8_t* take(uint64_t count);

  std::span<const uint8_t> bytes_;
  std::string format_;
  size_t pos_ = 0;
};

}  // namespace lumabord
