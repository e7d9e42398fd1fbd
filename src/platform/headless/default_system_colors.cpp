// The classic desktop system colour defaults, for headless use.
#include <array>

#include "platform/system_colors.h"

namespace lumabord {
namespace {

class DefaultSystemColors final : public SystemColors {
 public:
  Rgb systemColor(int index) const override {
    // Indexed by system colour number 0..30.
    static constexpr std::array<Rgb, 31> kTable = {{
        {0xC8, 0xC8, 0xC8},  // 0 scroll bar
        {0x00, 0x00, 0x00},  // 1 background
        {0x99, 0xB4, 0xD1},  // 2 active caption
        {0xBF, 0xCD, 0xDB},  // 3 inactive caption
        {0xF0, 0xF0, 0xF0},  // 4 menu
        {0xFF, 0xFF, 0xFF},  // 5 window
        {0x64, 0x64, 0x64},  // 6 window frame
        {0x00, 0x00, 0x00},  // 7 menu text
        {0x00, 0x00, 0x00},  // 8 window text
        {0x00, 0x00, 0x00},  // 9 caption text
        {0xB4, 0xB4, 0xB4},  // 10 active border
        {0xF4, 0xF7, 0xFC},  // 11 inactive border
        {0xAB, 0xAB, 0xAB},  // 12 app workspace
        {0x00, 0x78, 0xD7},  // 13 highlight
        {0xFF, 0xFF, 0xFF},  // 14 highlight text
        {0xF0, 0xF0, 0xF0},  // 15 button face
        {0xA0, 0xA0, 0xA0},  // 16 button shadow
        {0x6D, 0x6D, 0x6D},  // 17 grey text
        {0x00, 0x00, 0x00},  // 18 button text
        {0x00, 0x00, 0x00},  // 19 inactive caption text
        {0xFF, 0xFF, 0xFF},  // 20 button highlight
        {0x69, 0x69, 0x69},  // 21 3D dark shadow
        {0xE3, 0xE3, 0xE3},  // 22 3D light
        {0x00, 0x00, 0x00},  // 23 info text
        {0xFF, 0xFF, 0xE1},  // 24 info background
        {0x00, 0x00, 0x00},  // 25 (unused)
        {0x00, 0x66, 0xCC},  // 26 hot light
        {0xB9, 0xD1, 0xEA},  // 27 gradient active caption
        {0xD7, 0xE4, 0xF2},  // 28 gradient inactive caption
        {0x33, 0x99, 0xFF},  // 29 menu highlight
        {0xF0, 0xF0, 0xF0},  // 30 menu bar
    }};
    if (index < 0 || index >= static_cast<int>(kTable.size())) return {};
    return kTable[static_cast<size_t>(index)];
  }
};

}  // namespace

const SystemColors& defaultSystemColors() {
  static const DefaultSystemColors colors;
  return colors;
}

}  // namespace lumabord
