// The EXIF/TIFF orientation: how the stored rows are to be turned and mirrored so that the
// picture stands upright.
#pragma once

#include "base/image.h"

namespace lumabord {

// 1 upright, 2 mirrored left-right, 3 turned 180 degrees, 4 mirrored top-bottom,
// 5 mirrored along the main diagonal, 6 to be turned 90 degrees clockwise, 7 mirrored along
// the other diagonal, 8 to be turned 90 degrees anticlockwise. Anything else counts as 1.
[[nodiscard]] constexpr bool swapsSides(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

// The stored picture turned upright (a copy also for orientation 1).
[[nodiscard]] Image orientUpright(const Image& stored, int orientation);

}  // namespace lumabord
