// The main window's fixed colours (0x00BBGGRR values) and their Qt form.
#pragma once

#include "compose/color.h"
#include "qt_image.h"

namespace lumabord {

constexpr ColorValue kPanelColor = 0xE3DED5;       // light grey-blue panel body
constexpr ColorValue kPanelTitleColor = 0xC08000;  // blue title strip
constexpr ColorValue kAddLabelColor = 0x008000;    // "Add": white on green
constexpr ColorValue kDelLabelColor = 0x4141C2;    // "Del": white on red
constexpr ColorValue kSaveUnsavedColor = 0x2BAA9A;  // "Save" while the design may be unsaved
constexpr ColorValue kSaveSavedColor = 0x808080;    // "Save" right after saving
constexpr ColorValue kRecommendedColor = 0x800000;  // navy "(Recommended)"

}  // namespace lumabord
