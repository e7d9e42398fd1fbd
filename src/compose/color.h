// Colour values (0x00BBGGRR, system colours 0x80000000 + n, clNone, clDefault) and their
// text form used by style files.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/image.h"
#include "platform/system_colors.h"

namespace lumabord {

using ColorValue = uint32_t;

constexpr ColorValue kClBlack = 0x000000;
constexpr ColorValue kClGray = 0x808080;
constexpr ColorValue kClSilver = 0xC0C0C0;
constexpr ColorValue kClWhite = 0xFFFFFF;
constexpr ColorValue kClNone = 0x1FFFFFFF;
constexpr ColorValue kClDefault = 0x20000000;
constexpr ColorValue kSystemColorBase = 0x80000000;

struct NamedColor {
  const char* identifier;  // for example "clMaroon"
  ColorValue value;
};

// The 16 colours the colour drop-downs list, clBlack to clWhite, in that order.
std::span<const NamedColor> standardColors();

// Identifier if the value has one, else "$" and 8 upper-case hex digits ($00C08040).
[[nodiscard]] std::string colorToText(ColorValue value);

// Identifier (case ignored) or integer text (decimal, "$" or "0x" hex). Throws
// Error("'%s' is not a valid integer value") otherwise.
[[nodiscard]] ColorValue textToColor(std::string_view text);

// RGB used for pixels: system colours through the table, others from their low 24 bits.
[[nodiscard]] Rgb colorToRgb(ColorValue value, const SystemColors& system = defaultSystemColors());

// 0x00BBGGRR from RGB.
[[nodiscard]] constexpr ColorValue rgbToColor(Rgb c) {
  return static_cast<ColorValue>(c.r) | (static_cast<ColorValue>(c.g) << 8) |
         (static_cast<ColorValue>(c.b) << 16);
}

}  // namespace lumabord
