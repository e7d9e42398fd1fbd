// The system clipboard, as far as the program uses it: placing a bitmap image.
#pragma once

#include "base/image.h"

namespace lumabord {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void placeImage(const Image& image) = 0;
};

// Keeps the last image placed, for programs without a window system and for tests.
class MemoryClipboard final : public Clipboard {
 public:
  void placeImage(const Image& image) override { image_ = image.clone(); }
  [[nodiscard]] const Image& image() const { return image_; }

 private:
  Image image_;
};

}  // namespace lumabord
