// Where the program keeps what it writes for its user. An installed program's folder is
// read-only, so "mru.ini" goes to $XDG_CONFIG_HOME/lumabord, the "FontCache3D" folder to
// $XDG_CACHE_HOME/lumabord and the user's own styles, textures, masks and shadows to
// $XDG_DATA_HOME/lumabord. A portable run ($LUMABORD_HOME set, or a program folder the user
// may write) keeps everything beside the program.
#pragma once

#include <filesystem>

namespace lumabord {

struct UserFolders {
  std::filesystem::path config;  // holds "mru.ini"
  std::filesystem::path cache;   // holds "FontCache3D"
  std::filesystem::path data;    // the user's own asset folders; empty in a portable run
};

[[nodiscard]] UserFolders userFolders(const std::filesystem::path& programFolder);

// $variable when it is an absolute path, else belowHome under the home folder ($HOME, else
// the password entry's), as the XDG base directory rules say.
[[nodiscard]] std::filesystem::path xdgFolder(const char* variable, const char* belowHome);

}  // namespace lumabord
