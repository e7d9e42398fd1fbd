// TFont3D setters and change notification.
#include "signature/font3d.h"

namespace lumabord {
namespace {

template <typename T>
void assignAndNotify(T& field, const T& value, const ChangeHook& changed) {
  if (field == value) return;
  field = value;
  changed();
}

}  // namespace

void TSmoothFontBorder::setColor(ColorValue value) { assignAndNotify(color_, value, changed_); }
void TSmoothFontBorder::setHeight(double value) { assignAndNotify(height_, value, changed_); }
void TSmoothFontBorder::setEffectColor(double value) {
  assignAndNotify(effectColor_, value, changed_);
}

void TSmoothFontGradient::setActive(bool value) { assignAndNotify(active_, value, changed_); }
void TSmoothFontGradient::setKind(TSmoothFontGradientKind value) {
  assignAndNotify(kind_, value, changed_);
}
void TSmoothFontGradient::setBeginColor(ColorValue value) {
  assignAndNotify(beginColor_, value, changed_);
}
void TSmoothFontGradient::setEndColor(ColorValue value) {
  assignAndNotify(endColor_, value, changed_);
}

void TSmoothFontShadow::setColor(int value) { assignAndNotify(color_, value, changed_); }
void TSmoothFontShadow::setStyle(TSmoothFontShadowStyle value) {
  assignAndNotify(style_, value, changed_);
}

TFont3D::TFont3D() { bindParts(); }

TFont3D::TFont3D(const TFont3D& other)
    : altitude_(other.altitude_),
      antialiasing_(other.antialiasing_),
      bitmap_(other.bitmap_.clone()),
      border_(other.border_),
      characterMargin_(other.characterMargin_),
      frontColor_(other.frontColor_),
      gradient_(other.gradient_),
      shadow_(other.shadow_),
      site_(other.site_),
      viewDirection_(other.viewDirection_) {
  charOverlap = other.charOverlap;
  bindParts();
}

TFont3D& TFont3D::operator=(const TFont3D& other) {
  if (this == &other) return *this;
  altitude_ = other.altitude_;
  antialiasing_ = other.antialiasing_;
  bitmap_ = other.bitmap_.clone();
  border_ = other.border_;
  characterMargin_ = other.characterMargin_;
  frontColor_ = other.frontColor_;
  gradient_ = other.gradient_;
  shadow_ = other.shadow_;
  site_ = other.site_;
  viewDirection_ = other.viewDirection_;
  charOverlap = other.charOverlap;
  bindParts();
  notify();
  return *this;
}

void TFont3D::bindParts() {
  const ChangeListener forward = [this] { notify(); };
  border_.changed_.listener = forward;
  gradient_.changed_.listener = forward;
  shadow_.changed_.listener = forward;
}

void TFont3D::notify() const { onChange_(); }

void TFont3D::setAltitude(double value) { assignAndNotify(altitude_, value, onChange_); }
void TFont3D::setAntialiasing(bool value) { assignAndNotify(antialiasing_, value, onChange_); }
void TFont3D::setBitmap(const Image& value) {
  bitmap_ = value.clone();
  notify();
}
void TFont3D::setBorder(const TSmoothFontBorder& value) {
  border_.color_ = value.color_;
  border_.height_ = value.height_;
  border_.effectColor_ = value.effectColor_;
  notify();
}
void TFont3D::setCharacterMargin(int value) { assignAndNotify(characterMargin_, value, onChange_); }
void TFont3D::setFrontColor(ColorValue value) { assignAndNotify(frontColor_, value, onChange_); }
void TFont3D::setSite(TSmoothFontSite value) { assignAndNotify(site_, value, onChange_); }
void TFont3D::setViewDirection(int value) { assignAndNotify(viewDirection_, value, onChange_); }

TFont3D signatureDefaultDesign() {
  TFont3D font3d;
  font3d.setSite(TSmoothFontSite::sfpRaised);
  font3d.shadow().setStyle(TSmoothFontShadowStyle::sfssDiffuse);
  font3d.setViewDirection(135);
  font3d.border().setColor(kClGray);
  font3d.border().setHeight(1);
  font3d.setAltitude(3);
  font3d.gradient().setActive(true);
  font3d.gradient().setBeginColor(kClWhite);
  font3d.gradient().setEndColor(kClGray);
  font3d.setFrontColor(kClWhite);
  font3d.setAntialiasing(true);
  return font3d;
}

}  // namespace lumabord
