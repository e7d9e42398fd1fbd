// Image allocation, filling and comparison.
#include "base/image.h"

#include <cstring>

#include "base/checked_math.h"
#include "base/error.h"

namespace lumabord {
namespace {

void checkSize(int width, int height) {
  if (!pixelCountAllowed(width, height)) {
    fail("An image of %d x %d pixels is beyond the limit of %llu pixels", width, height,
         static_cast<unsigned long long>(Limits::kMaxPixels));
  }
}

}  // namespace

Image::Image(int width, int height) { reshape(width, height); }

Image::Image(int width, int height, Rgb fillColour) : Image(width, height) { fill(fillColour); }

Image Image::clone() const {
  Image copy(width_, height_);
  if (sizeBytes()) std::memcpy(copy.data(), data(), sizeBytes());
  return copy;
}

void Image::reshape(int width, int height) {
  checkSize(width, height);
  buffer_.reserveDiscarding(static_cast<size_t>(width) * 3 * static_cast<size_t>(height));
  width_ = width;
  height_ = height;
}

void Image::fill(Rgb c) {
  if (empty()) return;
  uint8_t* first = row(0);
  for (int x = 0; x < width_; ++x) {
    first[3 * x] = c.b;
    first[3 * x + 1] = c.g;
    first[3 * x + 2] = c.r;
  }
  for (int y = 1; y < height_; ++y) std::memcpy(row(y), first, stride());
}

bool operator==(const Image& a, const Image& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  return a.sizeBytes() == 0 || std::memcmp(a.data(), b.data(), a.sizeBytes()) == 0;
}

}  // namespace lumabord
