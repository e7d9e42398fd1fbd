// Large zero-cost-to-reuse byte buffers: big allocations are 2 MiB aligned and advised
// for transparent huge pages, because the first touch of a fresh 72 MB buffer with 4 KiB
// pages costs more than decoding a 24 MP JPEG.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumabord {

class PixelBuffer {
 public:
  PixelBuffer() = default;
  // Contents are uninitialised. Throws Error when the allocation fails.
  explicit PixelBuffer(size_t bytes);

  uint8_t* data() { return data_.get(); }
  const uint8_t* data() const { return data_.get(); }
  size_t capacity() const { return capacity_; }

  // Makes room for at least `bytes`, keeping the buffer when it is already large enough.
  // Contents are not preserved when a new buffer is needed.
  void reserveDiscarding(size_t bytes);

 private:
  struct Free {
    void operator()(uint8_t* p) const;
  };
  std::unique_ptr<uint8_t, Free> data_;
  size_t capacity_ = 0;
};

}  // namespace lumabord
