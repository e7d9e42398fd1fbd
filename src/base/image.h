// The program's one picture type: 24-bit, rows of B,G,R bytes, top-down, tightly packed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/pixel_buffer.h"

namespace lumabord {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

class Image {
 public:
  Image() = default;
  // Uninitialised pixels. Throws Error for negative sizes or more than Limits::kMaxPixels.
  Image(int width, int height);
  Image(int width, int height, Rgb fill);

  Image(Image&&) noexcept = default;
  Image& operator=(Image&&) noexcept = default;
  // Copies are explicit (clone) so that a 72 MB copy never happens by accident.
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  [[nodiscard]] Image clone() const;

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }
  size_t stride() const { return static_cast<size_t>(width_) * 3; }
  size_t sizeBytes() const { return stride() * static_cast<size_t>(height_); }
  // Bytes the buffer holds; reshape up to this size allocates nothing.
  size_t capacity() const { return buffer_.capacity(); }

  uint8_t* data() { return buffer_.data(); }
  const uint8_t* data() const { return buffer_.data(); }
  uint8_t* row(int y) { return data() + stride() * static_cast<size_t>(y); }
  const uint8_t* row(int y) const { return data() + stride() * static_cast<size_t>(y); }

  Rgb pixel(int x, int y) const {
    const uint8_t* p = row(y) + 3 * static_cast<size_t>(x);
    return {p[2], p[1], p[0]};
  }
  void setPixel(int x, int y, Rgb c) {
    uint8_t* p = row(y) + 3 * static_cast<size_t>(x);
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
  }

  // Changes the size, reusing the buffer when it is large enough. Pixels are undefined
  // afterwards. Same limits as the constructor.
  void reshape(int width, int height);
  void fill(Rgb c);

  friend bool operator==(const Image& a, const Image& b);

 private:
  PixelBuffer buffer_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace lumabord
