// The asset folders beside the program and the lists filled from them.
//   AppPath/Image Textures/  textures (*.png, *.gif, *.jpg, *.bmp), with sub-folders
//   AppPath/Image Masks/     frame profile masks *.bmp, each with a sibling .ini
//   AppPath/Image Edges/     the matte edge mask outermattelowered.bmp
//   AppPath/Shadows/         drop shadow masks *.bmp
//   AppPath/Image Styles/    style files *.txt
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compose/design_controls.h"

namespace lumabord {

// Each pattern is a folder followed by a wildcard mask ("*", "?", case ignored), for example
// appPath / "Shadows" / "*.bmp". Matches come in the file system's own order, pattern by
// pattern, sub-folders depth first when withSubFolders is set. Missing folders give nothing.
// A folder reached twice (through a symbolic link) is scanned once. afterEntry runs after
// every listed entry so that a window can handle its pending events.
[[nodiscard]] std::vector<std::filesystem::path> ScanFiles(
    const std::vector<std::filesystem::path>& patterns, bool withSubFolders,
    const std::function<void()>& afterEntry = {});

// Wildcard match of a file name against a mask: "*" any run, "?" one character (one UTF-8
// character), ASCII case ignored.
[[nodiscard]] bool matchesMask(std::string_view name, std::string_view mask);

// The file name of a stored or listed path without folder ("/" or "\") and extension.
[[nodiscard]] std::string baseNameWithoutExtension(std::string_view path);

// The list fillers, called at start-up in this order.
void FillShadowList(DesignControls& controls, const std::filesystem::path& appPath);
void FillTextureLists(DesignControls& controls, const std::filesystem::path& appPath);
// Selects storedStyleIndex ("Frame Style"); an index outside the list selects nothing.
void FillStyleList(DesignControls& controls, const std::filesystem::path& appPath,
                   int storedStyleIndex);
void FillMaskList(DesignControls& controls, const std::filesystem::path& appPath);

}  // namespace lumabord
