// TFont3D: the settings of the 3D lettering (face fill, side walls, cast shadow, site and
// lighting direction), each setter notifying the owner's listener when a value changes.
#pragma once

#include <cstdint>
#include <functional>

#include "base/image.h"
#include "compose/color.h"

namespace lumabord {

enum class TSmoothFontSite : uint8_t { sfpFlying = 0, sfpLowered = 1, sfpRaised = 2 };
enum class TSmoothFontShadowStyle : uint8_t { sfssNone = 0, sfssDiffuse = 1, sfssSharp = 2 };
enum class TSmoothFontGradientKind : uint8_t { sfgkVertical = 0, sfgkHorizontal = 1 };

using ChangeListener = std::function<void()>;

// A listener slot that copies of its holder do not inherit: a copied part or font starts
// unobserved.
struct ChangeHook {
  ChangeListener listener;
  ChangeHook() = default;
  ChangeHook(const ChangeHook&) {}
  ChangeHook& operator=(const ChangeHook&) { return *this; }
  void operator()() const {
    if (listener) listener();
  }
};

// Side walls: their colour, their depth in pixels and the optional face-derived colour.
class TSmoothFontBorder {
 public:
  ColorValue color() const { return color_; }
  double height() const { return height_; }
  // When > 0, textured and gradient faces get walls in face colour / EffectColor.
  double effectColor() const { return effectColor_; }
  void setColor(ColorValue value);
  void setHeight(double value);
  void setEffectColor(double value);

 private:
  friend class TFont3D;
  ColorValue color_ = kClGray;
  double height_ = 1;
  double effectColor_ = -1;
  ChangeHook changed_;
};

class TSmoothFontGradient {
 public:
  bool active() const { return active_; }
  TSmoothFontGradientKind kind() const { return kind_; }
  // Used as given: low byte red, then green, then blue; system colours are not resolved.
  ColorValue beginColor() const { return beginColor_; }
  ColorValue endColor() const { return endColor_; }
  void setActive(bool value);
  void setKind(TSmoothFontGradientKind value);
  void setBeginColor(ColorValue value);
  void setEndColor(ColorValue value);

 private:
  friend class TFont3D;
  bool active_ = false;
  TSmoothFontGradientKind kind_ = TSmoothFontGradientKind::sfgkVertical;
  ColorValue beginColor_ = kClBlack;
  ColorValue endColor_ = kClWhite;
  ChangeHook changed_;
};

class TSmoothFontShadow {
 public:
  // Shadow darkness 0..255.
  int color() const { return color_; }
  TSmoothFontShadowStyle style() const { return style_; }
  void setColor(int value);
  void setStyle(TSmoothFontShadowStyle value);

 private:
  friend class TFont3D;
  int color_ = 32;
  TSmoothFontShadowStyle style_ = TSmoothFontShadowStyle::sfssSharp;
  ChangeHook changed_;
};

class TFont3D {
 public:
  TFont3D();
  // Copies every property, the texture included; the listener is not copied.
  TFont3D(const TFont3D& other);
  TFont3D& operator=(const TFont3D& other);

  // Called after every change of a property or of a part.
  void setOnChange(ChangeListener listener) { onChange_.listener = std::move(listener); }

  double altitude() const { return altitude_; }
  bool antialiasing() const { return antialiasing_; }
  const Image& bitmap() const { return bitmap_; }
  const TSmoothFontBorder& border() const { return border_; }
  TSmoothFontBorder& border() { return border_; }
  int characterMargin() const { return characterMargin_; }
  ColorValue frontColor() const { return frontColor_; }
  const TSmoothFontGradient& gradient() const { return gradient_; }
  TSmoothFontGradient& gradient() { return gradient_; }
  const TSmoothFontShadow& shadow() const { return shadow_; }
  TSmoothFontShadow& shadow() { return shadow_; }
  TSmoothFontSite site() const { return site_; }
  int viewDirection() const { return viewDirection_; }

  void setAltitude(double value);
  void setAntialiasing(bool value);
  // Copies the texture (an empty image means no texture) and always notifies.
  void setBitmap(const Image& value);
  // Copies the border and always notifies.
  void setBorder(const TSmoothFontBorder& value);
  void setCharacterMargin(int value);
  void setFrontColor(ColorValue value);
  void setSite(TSmoothFontSite value);
  void setViewDirection(int value);

  // Pixels between neighbouring cells (zero or negative); set by glyph rendering and by
  // finding a cache row, never notified.
  int charOverlap = 0;

 private:
  void bindParts();
  void notify() const;

  double altitude_ = 3;
  bool antialiasing_ = false;
  Image bitmap_;
  TSmoothFontBorder border_;
  int characterMargin_ = 0;
  ColorValue frontColor_ = kClBlack;
  TSmoothFontGradient gradient_;
  TSmoothFontShadow shadow_;
  TSmoothFontSite site_ = TSmoothFontSite::sfpFlying;
  int viewDirection_ = 135;
  ChangeHook onChange_;
};

// The signature's lettering as a new signature starts: raised white letters with a grey
// one-pixel border, a diffuse shadow seen from 135 degrees, altitude 3, a white-to-grey
// gradient, antialiased.
TFont3D signatureDefaultDesign();

}  // namespace lumabord
