// Turning stored rows upright by their orientation.
#include "codecs/orientation.h"

#include <cstring>

namespace lumabord {

Image orientUpright(const Image& stored, int orientation) {
  if (orientation < 2 || orientation > 8) return stored.clone();
  const int w = stored.width(), h = stored.height();
  const bool swap = swapsSides(orientation);
  Image upright(swap ? h : w, swap ? w : h);
  // Each upright pixel (x, y) comes from the stored pixel (sx, sy) = origin + x * dx + y * dy.
  int sx0 = 0, sy0 = 0, xdx = 1, xdy = 0, ydx = 0, ydy = 1;
  switch (orientation) {
    case 2:
      sx0 = w - 1;
      xdx = -1;
      break;
    case 3:
      sx0 = w - 1;
      sy0 = h - 1;
      xdx = -1;
      ydy = -1;
      break;
    case 4:
      sy0 = h - 1;
      ydy = -1;
      break;
    case 5:
      xdx = 0;
      xdy = 1;
      ydx = 1;
      ydy = 0;
      break;
    case 6:
      sy0 = h - 1;
      xdx = 0;
      xdy = -1;
      ydx = 1;
      ydy = 0;
      break;
    case 7:
      sx0 = w - 1;
      sy0 = h - 1;
      xdx = 0;
      xdy = -1;
      ydx = -1;
      ydy = 0;
      break;
    case 8:
      sx0 = w - 1;
      xdx = 0;
      xdy = 1;
      ydx = -1;
      ydy = 0;
      break;
    default:
      break;
  }
  const int uw = upright.width(), uh = upright.height();
  for (int y = 0; y < uh; ++y) {
    uint8_t* out = upright.row(y);
    const int rowX = sx0 + y * ydx, rowY = sy0 + y * ydy;
    if (xdy == 0) {
      const uint8_t* in = stored.row(rowY);
      if (xdx == 1) {
        std::memcpy(out, in, upright.stride());
        continue;
      }
      for (int x = 0; x < uw; ++x) std::memcpy(out + 3 * x, in + 3 * (rowX - x), 3);
      continue;
    }
    for (int x = 0; x < uw; ++x) {
      std::memcpy(out + 3 * static_cast<size_t>(x),
                  stored.row(rowY + x * xdy) + 3 * static_cast<size_t>(rowX), 3);
    }
  }
  return upright;
}

}  // namespace lumabord
