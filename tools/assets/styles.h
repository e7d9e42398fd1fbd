// The default frame styles of "Image Styles/".
#pragma once

#include <filesystem>

namespace lumabord::assets {

void writeStyles(const std::filesystem::path& folder);

}  // namespace lumabord::assets
