// A read cursor over a file held in memory, for the read and seek callbacks that libpng,
// giflib and libtiff call. Unlike ByteReader it never throws: a read near the end returns
// what there is and a seek may go past the end, as with a file, so each library meets the
// end of its data in its own way and reports it through its own error path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace lumabord {

class MemorySource {
 public:
  explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint64_t size() const { return bytes_.size(); }
  uint64_t position() const { return pos_; }
  // Bytes from the position to the end; 0 when the position is at or past the end.
  uint64_t remaining() const { return pos_ < bytes_.size() ? bytes_.size() - pos_ : 0; }

  // Copies up to `count` bytes to `out` and moves past them; returns how many were copied.
  size_t read(void* out, uint64_t count);
  // Moves to `offset` from the start (SEEK_SET), the position (SEEK_CUR) or the end
  // (SEEK_END). Returns false, without moving, when the target does not fit in 64 bits.
  bool seek(uint64_t offset, int whence);

 private:
  std::span<const uint8_t> bytes_;
  uint64_t pos_ = 0;
};

}  // namespace lumabord
