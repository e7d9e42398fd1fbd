// The stored signature values and the mapping of the controls onto the 3D settings.
#include "signature/signature_settings.h"

#include <algorithm>

namespace lumabord {
namespace {

using T = SignatureValueType;

// One entry per value: its name, type and the control it fills.
struct Binding {
  SignatureValueName value;
  bool* flag = nullptr;
  bool* partner = nullptr;  // the other option button of its group
  int* number = nullptr;
  ColorValue* color = nullptr;
  std::string* text = nullptr;
};

// Every value bound to the controls of s, in reading order.
std::array<Binding, 26> bindings(SignatureSettings& s) {
  // The font's character set, size and style are narrower than a stored integer: they are
  // converted by name (fontNumber).
  return {{
      {{"FontCharSet", T::Integer}},
      {{"FontSize", T::Integer}},
      {{"FontName", T::String}, nullptr, nullptr, nullptr, nullptr, &s.font.name},
      {{"FontSytle", T::Integer}},
      {{"FontColor", T::Color}, nullptr, nullptr, nullptr, &s.font.color},
      {{"Gradiant", T::Bool}, &s.rdoGradient, &s.rdoSolid},
      {{"Vertical", T::Bool}, &s.rdoVertical, &s.rdoHorizontal},
      {{"Horizontal", T::Bool}, &s.rdoHorizontal, &s.rdoVertical},
      {{"BeginColor", T::Color}, nullptr, nullptr, nullptr, &s.cboBeginColor},
      {{"EndColor", T::Color}, nullptr, nullptr, nullptr, &s.cboEndColor},
      {{"TextEffect", T::Integer}, nullptr, nullptr, &s.cboTextEffect},
      {{"ShadowStyle", T::Integer}, nullptr, nullptr, &s.cboShadowStyle},
      {{"BorderColor", T::Color}, nullptr, nullptr, nullptr, &s.cboBorderColor},
      {{"ShadowView", T::Integer}, nullptr, nullptr, &s.txtView},
      {{"BorderSize", T::Integer}, nullptr, nullptr, &s.txtBorder},
      {{"Text", T::String}, nullptr, nullptr, nullptr, nullptr, &s.txtSig},
      {{"Solid", T::Bool}, &s.rdoSolid, &s.rdoGradient},
      {{"SolidColor", T::Color}, nullptr, nullptr, nullptr, &s.cboSolid},
      {{"UseSolid", T::Bool}, &s.rdoUseColor, &s.rdoUseTexture},
      {{"UseTexture", T::Bool}, &s.rdoUseTexture, &s.rdoUseColor},
      {{"Texture", T::Integer}, nullptr, nullptr, &s.cboTexture},
      {{"DrawOn", T::Integer}, nullptr, nullptr, &s.cboDraw},
      {{"Align", T::Integer}, nullptr, nullptr, &s.cboAlignText},
      {{"Space", T::Integer}, nullptr, nullptr, &s.txtSpace},
      {{"Altitude", T::Integer}, nullptr, nullptr, &s.txtAltitude},
      {{"Anti", T::Bool}, &s.chkAnti},
  }};
}

const Binding* find(const std::array<Binding, 26>& all, std::string_view name) {
  for (const Binding& b : all) {
    if (b.value.name == name) return &b;
  }
  return nullptr;
}

std::array<SignatureValueName, 26> readingOrder() {
  SignatureSettings s;
  std::array<SignatureValueName, 26> names;
  const auto all = bindings(s);
  std::transform(all.begin(), all.end(), names.begin(), [](const Binding& b) { return b.value; });
  return names;
}

SignatureValueName named(std::string_view name) {
  for (const SignatureValueName& v : kSignatureReadingOrder) {
    if (v.name == name) return v;
  }
  return {};
}

}  // namespace

const std::array<SignatureValueName, 26> kSignatureReadingOrder = readingOrder();

const std::array<SignatureValueName, 26> kSignatureWritingOrder = {
    named("Gradiant"),   named("Vertical"),   named("Horizontal"),  named("BeginColor"),
    named("EndColor"),   named("TextEffect"), named("ShadowStyle"), named("BorderColor"),
    named("ShadowView"), named("BorderSize"), named("Text"),        named("Solid"),
    named("SolidColor"), named("UseSolid"),   named("UseTexture"),  named("Texture"),
    named("DrawOn"),     named("Align"),      named("Space"),       named("Altitude"),
    named("Anti"),       named("FontName"),   named("FontCharSet"), named("FontSytle"),
    named("FontSize"),   named("FontColor")};

FontRecord SignatureSettings::defaultFont() {
  FontRecord font;
  font.name = "Tahoma";
  font.setHeight(-24);
  font.style = kFontBold;
  font.charset = 0;
  font.color = 0x80000008;  // window text
  return font;
}

void SignatureSettings::check(bool& button, bool& partner, bool value) {
  button = value;
  if (value) partner = false;
}

void SignatureSettings::clampToControls() {
  txtView = std::min(txtView, kSigViewMax);
  txtBorder = std::clamp(txtBorder, 0, kSigBorderMax);
  txtAltitude = std::clamp(txtAltitude, 0, kSigAltitudeMax);
  txtSpace = std::clamp(txtSpace, -kSigSpaceMax, kSigSpaceMax);
  if (cboDraw < 0 || cboDraw > 1) cboDraw = kSigDrawOnDefault;
  if (cboAlignText < 0 || cboAlignText > 5) cboAlignText = kSigAlignDefault;
}

SignatureStoredValue storedSignatureValue(const SignatureSettings& settings,
                                          std::string_view name) {
  if (name == "FontCharSet") return int32_t{settings.font.charset};
  if (name == "FontSize") return int32_t{settings.font.size};
  if (name == "FontSytle") return int32_t{settings.font.style};
  SignatureSettings s = settings;
  const auto all = bindings(s);
  const Binding* b = find(all, name);
  if (!b || (!b->flag && !b->number && !b->color && !b->text)) return int32_t{0};
  if (b->flag) return int32_t{*b->flag ? 1 : 0};
  if (b->number) return int32_t{*b->number};
  if (b->color) return static_cast<int32_t>(*b->color);
  return *b->text;
}

void applySignatureValue(SignatureSettings& settings, std::string_view name,
                         const SignatureStoredValue& value) {
  const auto* number = std::get_if<int32_t>(&value);
  const auto* text = std::get_if<std::string>(&value);
  if (name == "FontCharSet" || name == "FontSize" || name == "FontSytle") {
    if (!number) return;
    if (name == "FontCharSet") settings.font.charset = static_cast<uint8_t>(*number);
    if (name == "FontSytle") settings.font.style = static_cast<uint8_t>(*number);
    // A size the font dialog cannot give is ignored rather than rendered.
    if (name == "FontSize" && *number >= 1 && *number <= kSigFontSizeMax) {
      settings.font.setSize(*number);
    }
    return;
  }
  const auto all = bindings(settings);
  const Binding* b = find(all, name);
  if (!b) return;
  if (b->flag && number) {
    if (b->partner) {
      SignatureSettings::check(*b->flag, *b->partner, *number != 0);
    } else {
      *b->flag = *number != 0;
    }
  } else if (b->number && number) {
    *b->number = *number;
  } else if (b->color && number) {
    *b->color = static_cast<ColorValue>(*number);
  } else if (b->text && text) {
    *b->text = *text;
  }
}

std::string signatureValueText(const SignatureSettings& settings, const SignatureValueName& value) {
  const SignatureStoredValue stored = storedSignatureValue(settings, value.name);
  if (const auto* text = std::get_if<std::string>(&stored)) return *text;
  const int32_t number = std::get<int32_t>(stored);
  if (value.type == SignatureValueType::Color) return colorToText(static_cast<ColorValue>(number));
  return std::to_string(number);
}

void ApplyToFont3D(const SignatureSettings& s, TFont3D& font3d) {
  font3d.gradient().setActive(s.rdoGradient);
  font3d.gradient().setBeginColor(s.cboBeginColor);
  font3d.gradient().setEndColor(s.cboEndColor);
  font3d.gradient().setKind(s.rdoHorizontal ? TSmoothFontGradientKind::sfgkHorizontal
                                            : TSmoothFontGradientKind::sfgkVertical);
  font3d.setAltitude(s.txtAltitude);
  font3d.border().setHeight(s.txtBorder);
  font3d.setCharacterMargin(s.txtSpace);
  font3d.setViewDirection(s.txtView);
  font3d.border().setColor(s.cboBorderColor);
  static constexpr std::array<TSmoothFontShadowStyle, 3> kShadows = {
      TSmoothFontShadowStyle::sfssSharp, TSmoothFontShadowStyle::sfssDiffuse,
      TSmoothFontShadowStyle::sfssNone};
  font3d.shadow().setStyle(s.cboShadowStyle >= 0 && s.cboShadowStyle < 3
                               ? kShadows[static_cast<size_t>(s.cboShadowStyle)]
                               : TSmoothFontShadowStyle::sfssNone);
  static constexpr std::array<TSmoothFontSite, 3> kSites = {
      TSmoothFontSite::sfpFlying, TSmoothFontSite::sfpRaised, TSmoothFontSite::sfpLowered};
  font3d.setSite(s.cboTextEffect >= 0 && s.cboTextEffect < 3
                     ? kSites[static_cast<size_t>(s.cboTextEffect)]
                     : TSmoothFontSite::sfpFlying);
  font3d.setAntialiasing(s.chkAnti);
  font3d.setFrontColor(s.cboSolid);
}

}  // namespace lumabord
