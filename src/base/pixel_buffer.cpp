// PixelBuffer allocation with transparent huge pages for large images.
#include "base/pixel_buffer.h"

#include <sys/mman.h>

#include <cstdlib>

#include "base/error.h"

namespace lumabord {
namespace {

constexpr size_t kHugePage = size_t{2} << 20;

uint8_t* allocate(size_t bytes) {
  if (bytes == 0) return nullptr;
  void* p = nullptr;
  if (bytes >= kHugePage) {
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

void PixelBuffer::Free::operator()(uint8_t* p) const { std::free(p); }

PixelBuffer::PixelBuffer(size_t bytes) : data_(allocate(bytes)), capacity_(bytes) {}

void PixelBuffer::reserveDiscarding(size_t bytes) {
  if (bytes <= capacity_) return;
  data_.reset();
  capacity_ = 0;
  data_.reset(allocate(bytes));
  capacity_ = bytes;
}

}  // namespace lumabord
