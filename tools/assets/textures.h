// The tileable texture pictures of "Image Textures/".
#pragma once

#include <filesystem>

namespace lumabord::assets {

// Writes every texture under folder (sub-folders Wood, Metal, Painted, Matte and marble at the
// top).
void writeTextures(const std::filesystem::path& folder);

}  // namespace lumabord::assets
