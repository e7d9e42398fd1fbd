// Frame profile descriptions: "Image Masks/<name>.ini", section RADIUS, keys WIDTH, HEIGHT.
#pragma once

#include <filesystem>

namespace lumabord {

struct ProfileWidths {
  int width = 0;   // visible frame band at the left and right
  int height = 0;  // visible frame band at the top and bottom
};

// A missing file, section or key, or malformed text, reads as 0.
[[nodiscard]] ProfileWidths readProfileWidths(const std::filesystem::path& iniFile);

}  // namespace lumabord
