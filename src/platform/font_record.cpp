// The point size and pixel height of a font record kept in step, as the desktop API does.
#include "base/rounding.h"
#include "platform/text_facility.h"

namespace lumabord {

void FontRecord::setSize(int points) {
  size = points;
  height = -mulDiv(points, pixelsPerInch, 72);
}

void FontRecord::setHeight(int pixels) {
  height = pixels;
  size = -mulDiv(pixels, 72, pixelsPerInch);
}

}  // namespace lumabord
