// Frame geometry with every size checked before any image is allocated.
#include "compose/frame_geometry.h"

#include <cstdint>
#include <cstdlib>

#include "base/checked_math.h"
#include "base/error.h"

namespace lumabord {
namespace {

// Round(a / q) for a >= 0, q > 0, halves to even, without floating point.
int roundHalfEvenDiv(int a, int q) {
  const int quotient = a / q;
  const int twiceRest = 2 * (a % q);
  if (twiceRest > q || (twiceRest == q && quotient % 2 == 1)) return quotient + 1;
  return quotient;
}

void checkWidth(const char* name, int value) {
  if (std::abs(static_cast<int64_t>(value)) > Limits::kMaxSide) {
    fail("The %s of %d pixels is beyond the limit of %d pixels", name, value, Limits::kMaxSide);
  }
}

void checkImage(const char* name, int64_t w, int64_t h) {
  if (w <= 0 || h <= 0) {
    fail("The frame design leaves no room: the %s would be %lld x %lld pixels", name,
         static_cast<long long>(w), static_cast<long long>(h));
  }
  if (!pixelCountAllowed(w, h)) {
    fail("The %s would be %lld x %lld pixels, beyond the limit of %llu pixels", name,
         static_cast<long long>(w), static_cast<long long>(h),
         static_cast<unsigned long long>(Limits::kMaxPixels));
  }
}

}  // namespace

int ringRadius(int maskWidth) {
  return roundHalfEvenDiv(maskWidth, 3);
}

DropShadowExtent dropShadowExtent(int maskWidth) {
  return {roundHalfEvenDiv(maskWidth, 2), roundHalfEvenDiv(maskWidth, 6)};
}

FrameGeometry computeFrameGeometry(const FrameSpec& spec, int photoWidth, int photoHeight,
                                   int edgeMaskWidth, ProfileWidths profile,
                                   std::optional<int> shadowMaskWidth) {
  checkWidth("inner matte width", spec.InnerWidth);
  checkWidth("left outer matte width", spec.OuterLeft);
  checkWidth("top outer matte width", spec.OuterTop);
  checkWidth("right outer matte width", spec.OuterRight);
  checkWidth("bottom outer matte width", spec.OuterBottom);
  checkWidth("frame profile WIDTH", profile.width);
  checkWidth("frame profile HEIGHT", profile.height);

  const int64_t n = spec.InnerWidth;
  const int64_t iw = photoWidth + 2 * n;
  const int64_t ih = photoHeight + 2 * n;
  checkImage("inner matte", iw, ih);
  const int64_t ow = iw + spec.OuterLeft + spec.OuterRight;
  const int64_t oh = ih + spec.OuterTop + spec.OuterBottom;
  checkImage("outer matte", ow, oh);
  const int64_t fw = ow + 2 * int64_t{profile.width};
  const int64_t fh = oh + 2 * int64_t{profile.height};
  checkImage("frame", fw, fh);
  DropShadowExtent shadow;
  if (shadowMaskWidth) shadow = dropShadowExtent(*shadowMaskWidth);
  checkImage("picture with its drop shadow", fw + shadow.s, fh + shadow.s);

  // Every value is now within a few times Limits::kMaxSide, so int arithmetic is safe.
  FrameGeometry g;
  g.dropShadow = shadowMaskWidth.has_value();
  g.ring = ringRadius(edgeMaskWidth);
  const int r = g.ring;
  g.result = {0, 0, static_cast<int>(fw) + shadow.s, static_cast<int>(fh) + shadow.s};
  g.frame = {shadow.d, shadow.d, static_cast<int>(fw), static_cast<int>(fh)};
  g.outer = {g.frame.x + profile.width, g.frame.y + profile.height, static_cast<int>(ow),
             static_cast<int>(oh)};
  g.inner = {g.outer.x + spec.OuterLeft, g.outer.y + spec.OuterTop, static_cast<int>(iw),
             static_cast<int>(ih)};
  g.outerRing = {g.inner.x - r, g.inner.y - r, g.inner.w + 2 * r, g.inner.h + 2 * r};
  g.photo = {g.inner.x + spec.InnerWidth, g.inner.y + spec.InnerWidth, photoWidth, photoHeight};
  g.innerRing = {g.photo.x - r, g.photo.y - r, photoWidth + 2 * r, photoHeight + 2 * r};
  return g;
}

}  // namespace lumabord
