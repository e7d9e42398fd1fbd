// Reads the screen pixel under the pointer through the Qt screen (X11 grabs the root window).
#pragma once

#include "platform/screen_pixels.h"

namespace lumabord {

class QtScreenPixels final : public ScreenPixels {
 public:
  std::optional<Rgb> pixelUnderPointer() const override;
};

}  // namespace lumabord
