// Reads and seeks over bytes in memory for the library callbacks.
#include "codecs/memory_source.h"

#include <cstdio>
#include <cstring>

namespace lumabord {

size_t MemorySource::read(void* out, uint64_t count) {
  const size_t n = static_cast<size_t>(count < remaining() ? count : remaining());
  if (n > 0) std::memcpy(out, bytes_.data() + pos_, n);
  pos_ += n;
  return n;
}

bool MemorySource::seek(uint64_t offset, int whence) {
  const uint64_t base = whence == SEEK_CUR ? pos_ : whence == SEEK_END ? bytes_.size() : 0;
  if (offset > UINT64_MAX - base) return false;
  pos_ = base + offset;
  return true;
}

}  // namespace lumabord
