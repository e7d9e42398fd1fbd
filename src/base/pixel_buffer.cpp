// PixelBuffer allocation with transparent huge pages for large images.
#include "base/pixel_buffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "base/error.h"

namespace lumabord {
namespace {

constexpr size_t kHugePage = size_t{2} << 20;

uint8_t* allocate(size_t bytes) {
  if (bytes == 0) return nullptr;
  void* p = nullptr;
  // Beyond SIZE_MAX - kHugePage, rounding up to whole huge pages would wrap around to a tiny
  // allocation; no such request can succeed anyway.
  if (bytes > SIZE_MAX - kHugePage) {
    p = nullptr;
  } else if (bytes >= kHugePage) {
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    p = std::aligned_alloc(kHugePage, rounded);
    if (p) madvise(p, rounded, MADV_HUGEPAGE);
  } else {
    p = std::malloc(bytes);
  }
  if (!p) fail("Out of memory: cannot allocate %zu bytes for an image", bytes);
  return static_cast<uint8_t*>(p);
}

}  // namespace

void PixelBuffer::Free::operator()(uint8_t* p) const {
  std::free(p);
}

PixelBuffer::PixelBuffer(size_t bytes) : data_(allocate(bytes)), capacity_(bytes) {}

void PixelBuffer::reserveDiscarding(size_t bytes) {
  if (bytes <= capacity_) return;
  // Allocate before releasing, so that a failed allocation leaves the old pixels whole.
  std::unique_ptr<uint8_t, Free> fresh(allocate(bytes));
  data_ = std::move(fresh);
  capacity_ = bytes;
}

}  // namespace lumabord
