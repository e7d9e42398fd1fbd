// Photo-like sample pictures for trying the program out: procedural lake landscapes.
#pragma once

#include <filesystem>

namespace lumabord::assets {

void writeSamplePhotos(const std::filesystem::path& folder);

}  // namespace lumabord::assets
