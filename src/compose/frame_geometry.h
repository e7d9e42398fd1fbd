// Where every layer of a framed picture lies: the ring and drop-shadow radii and the
// rectangles of the inner matte, outer matte, frame and result.
#pragma once

#include <optional>

#include "compose/canvas.h"
#include "compose/frame_spec.h"
#include "compose/profile_ini.h"

namespace lumabord {

// Round(maskWidth / 3), halves to even.
[[nodiscard]] int ringRadius(int maskWidth);

// s = Round(width / 2) enlarges the result in both directions; the framed picture sits at
// (d, d) with d = Round(width / 6). Both from the mask's width only.
struct DropShadowExtent {
  int s = 0;
  int d = 0;
};
[[nodiscard]] DropShadowExtent dropShadowExtent(int maskWidth);

// All rectangles are in result coordinates. The inner matte I is (Pw + 2n) x (Ph + 2n), the
// outer matte O is (Iw + L + R) x (Ih + T + B), the frame F is (Ow + 2fw) x (Oh + 2fh) and the
// result is F, or (Fw + s) x (Fh + s) with a drop shadow.
struct FrameGeometry {
  Rect result;
  Rect frame;
  Rect outer;
  Rect outerRing;  // the outer matte's bevel layer
  Rect inner;
  Rect innerRing;  // the inner matte's bevel layer
  Rect photo;
  int ring = 0;  // ring radius r of both mattes
  bool dropShadow = false;
};

// Throws Error when a working image would be empty (negative widths) or beyond
// Limits::kMaxPixels, or a width is beyond Limits::kMaxSide.
[[nodiscard]] FrameGeometry computeFrameGeometry(const FrameSpec& spec, int photoWidth,
                                                 int photoHeight, int edgeMaskWidth,
                                                 ProfileWidths profile,
                                                 std::optional<int> shadowMaskWidth);

}  // namespace lumabord
