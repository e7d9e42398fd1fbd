#include "compose/asset_paths.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace lumabord {
namespace {

std::filesystem::path& userFolderSlot() {
  static std::filesystem::path folder;
  return folder;
}

}  // namespace

void setUserAssetFolder(std::filesystem::path folder) {
  userFolderSlot() = std::move(folder);
}

const std::filesystem::path& userAssetFolder() {
  return userFolderSlot();
}

std::vector<std::filesystem::path> assetFolders(const std::filesystem::path& appPath,
                                                const char* folder) {
  std::vector<std::filesystem::path> folders{appPath / folder};
  if (!userAssetFolder().empty()) folders.push_back(userAssetFolder() / folder);
  return folders;
}

std::filesystem::path findAsset(const std::filesystem::path& appPath, const char* folder,
                                const std::string& name) {
  if (!userAssetFolder().empty()) {
    std::filesystem::path own = assetPath(userAssetFolder() / folder, name);
    std::error_code ec;
    if (std::filesystem::exists(own, ec)) return own;
  }
  return assetPath(appPath / folder, name);
}

std::filesystem::path writableAssetFolder(const std::filesystem::path& appPath,
                                          const char* folder) {
  return (userAssetFolder().empty() ? appPath : userAssetFolder()) / folder;
}

std::filesystem::path assetPath(const std::filesystem::path& folder, std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return folder / name;
}

std::filesystem::path texturePath(const std::filesystem::path& appPath, const std::string& name) {
  return findAsset(appPath, "Image Textures", name);
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
