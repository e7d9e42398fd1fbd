// The screen under the mouse pointer: the colour of the pixel there, anywhere on the desktop.
#pragma once

#include <optional>

#include "base/image.h"

namespace lumabord {

class ScreenPixels {
 public:
  virtual ~ScreenPixels() = default;
  // The colour of the screen pixel under the pointer; nullopt when the screen cannot be read.
  [[nodiscard]] virtual std::optional<Rgb> pixelUnderPointer() const = 0;
};

// No screen to read: always nullopt.
const ScreenPixels& headlessScreenPixels();

}  // namespace lumabord
