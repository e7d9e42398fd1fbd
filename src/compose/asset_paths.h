// Where the renderer finds a design's asset files. Style files and the lists store names with
// Windows separators ("Wood\oak.jpg"), relative to the asset folders beside the program.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "compose/frame_spec.h"

namespace lumabord {

// The user's own asset folder of an installed program, holding folders named like the
// program folder's ("Image Styles", "Image Textures", "Image Masks", "Shadows"). Its entries
// are listed after the program folder's, a name found in both means the user's file, and new
// or saved styles go there, since the program folder is read-only. Empty (the default, and a
// portable run): the program folder alone. Set once at start-up, before any rendering.
void setUserAssetFolder(std::filesystem::path folder);
[[nodiscard]] const std::filesystem::path& userAssetFolder();
// The folders an asset folder's entries come from: appPath / folder, then the user's.
[[nodiscard]] std::vector<std::filesystem::path> assetFolders(const std::filesystem::path& appPath,
                                                              const char* folder);
// The file of a stored name in an asset folder: the user's copy when there is one, else the
// program folder's.
[[nodiscard]] std::filesystem::path findAsset(const std::filesystem::path& appPath,
                                              const char* folder, const std::string& name);
// The folder new files of an asset folder are written to.
[[nodiscard]] std::filesystem::path writableAssetFolder(const std::filesystem::path& appPath,
                                                        const char* folder);

[[nodiscard]] std::filesystem::path assetPath(const std::filesystem::path& folder,
                                              std::string name);
[[nodiscard]] std::filesystem::path texturePath(const std::filesystem::path& appPath,
                                                const std::string& name);

// The texture files a render of spec reads, each once, in no particular order. A texture
// option with no texture chosen names nothing: the renderer reports that itself.
[[nodiscard]] std::vector<std::filesystem::path> designTextures(
    const FrameSpec& spec, const std::filesystem::path& appPath);

}  // namespace lumabord
