// The colour identifier table and the colour text conversions.
#include "compose/color.h"

#include <array>
#include <strings.h>

#include "base/error.h"
#include "base/int_text.h"

namespace lumabord {
namespace {

constexpr ColorValue sys(int n) { return kSystemColorBase + static_cast<ColorValue>(n); }

// The standard 16 first (the drop-downs list exactly these), then the rest.
constexpr std::array<NamedColor, 49> kIdentifiers = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clActiveBorder", sys(10)},
    {"clActiveCaption", sys(2)},
    {"clAppWorkSpace", sys(12)},
    {"clBackground", sys(1)},
    {"clBtnFace", sys(15)},
    {"clBtnHighlight", sys(20)},
    {"clBtnShadow", sys(16)},
    {"clBtnText", sys(18)},
    {"clCaptionText", sys(9)},
    {"clDefault", kClDefault},
    {"clGradientActiveCaption", sys(27)},
    {"clGradientInactiveCaption", sys(28)},
    {"clGrayText", sys(17)},
    {"clHighlight", sys(13)},
    {"clHighlightText", sys(14)},
    {"clInactiveBorder", sys(11)},
    {"clInactiveCaption", sys(3)},
    {"clInactiveCaptionText", sys(19)},
    {"clInfoBk", sys(24)},
    {"clInfoText", sys(23)},
    {"clMenu", sys(4)},
    {"clMenuText", sys(7)},
    {"clNone", kClNone},
    {"clScrollBar", sys(0)},
    {"cl3DDkShadow", sys(21)},
    {"cl3DLight", sys(22)},
    {"clWindow", sys(5)},
    {"clWindowFrame", sys(6)},
    {"clWindowText", sys(8)},
}};

}  // namespace

std::span<const NamedColor> standardColors() { return std::span(kIdentifiers).first(16); }

std::string colorToText(ColorValue value) {
  for (const NamedColor& named : kIdentifiers) {
    if (named.value == value) return named.identifier;
  }
  return formatMessage("$%08X", value);
}

ColorValue textToColor(std::string_view text) {
  const std::string owned(text);
  for (const NamedColor& named : kIdentifiers) {
    if (strcasecmp(named.identifier, owned.c_str()) == 0) return named.value;
  }
  if (const auto number = parseInteger(text)) return static_cast<ColorValue>(*number);
  fail("'%s' is not a valid integer value", owned.c_str());
}

Rgb colorToRgb(ColorValue value, const SystemColors& system) {
  if (value & kSystemColorBase) return system.systemColor(static_cast<int>(value & 0xFF));
  return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
          static_cast<uint8_t>((value >> 16) & 0xFF)};
}

}  // namespace lumabord
