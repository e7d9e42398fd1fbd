// The grey-scale masks: frame profiles with their INI descriptions, the matte edge and the
// drop shadows.
#pragma once

#include <filesystem>

namespace lumabord::assets {

void writeProfiles(const std::filesystem::path& folder);
void writeMatteEdge(const std::filesystem::path& file);
void writeShadows(const std::filesystem::path& folder);

}  // namespace lumabord::assets
