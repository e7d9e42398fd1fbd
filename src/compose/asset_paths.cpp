#include "compose/asset_paths.h"

#include <algorithm>

namespace lumabord {

std::filesystem::path assetPath(const std::filesystem::path& folder, std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return folder / name;
}

std::filesystem::path texturePath(const std::filesystem::path& appPath, const std::string& name) {
  return assetPath(appPath / "Image Textures", name);
}

std::vector<std::filesystem::path> designTextures(const FrameSpec& spec,
                                                  const std::filesystem::path& appPath) {
  std::vector<std::filesystem::path> paths;
  auto add = [&](bool use, const std::string& name) {
    if (!use || name.empty()) return;
    std::filesystem::path path = texturePath(appPath, name);
    if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
  };
  add(spec.InnerUseTexture, spec.InnerTexture);
  add(spec.OuterUseTexture, spec.OuterTexture);
  add(spec.FrameUseTexture, spec.FrameTexture);
  return paths;
}

}  // namespace lumabord
