// A screen that cannot be read.
#include "platform/screen_pixels.h"

namespace lumabord {
namespace {

class NoScreen final : public ScreenPixels {
 public:
  std::optional<Rgb> pixelUnderPointer() const override { return std::nullopt; }
};

}  // namespace

const ScreenPixels& headlessScreenPixels() {
  static const NoScreen screen;
  return screen;
}

}  // namespace lumabord
