// Where the renderer finds a design's asset files. Style files and the lists store names with
// Windows separators ("Wood\oak.jpg"), relative to the asset folders beside the program.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "compose/frame_spec.h"

namespace lumabord {

[[nodiscard]] std::filesystem::path assetPath(const std::filesystem::path& folder,
                                              std::string name);
[[nodiscard]] std::filesystem::path texturePath(const std::filesystem::path& appPath,
                                                const std::string& name);

// The texture files a render of spec reads, each once, in no particular order. A texture
// option with no texture chosen names nothing: the renderer reports that itself.
[[nodiscard]] std::vector<std::filesystem::path> designTextures(
    const FrameSpec& spec, const std::filesystem::path& appPath);

}  // namespace lumabord
