// The per-user folders of the program.
#include "app/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace lumabord {

std::filesystem::path xdgFolder(const char* variable, const char* belowHome) {
  const char* value = std::getenv(variable);
  if (value != nullptr && *value == '/') return value;
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* user = getpwuid(getuid());
    home = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
  }
  return std::filesystem::path(home) / belowHome;
}

UserFolders userFolders(const std::filesystem::path& programFolder) {
  const char* home = std::getenv("LUMABORD_HOME");
  const bool portable =
      (home != nullptr && *home != '\0') || access(programFolder.c_str(), W_OK) == 0;
  if (portable) return {programFolder, programFolder, {}};
  return {xdgFolder("XDG_CONFIG_HOME", ".config") / "lumabord",
          xdgFolder("XDG_CACHE_HOME", ".cache") / "lumabord",
          xdgFolder("XDG_DATA_HOME", ".local/share") / "lumabord"};
}

}  // namespace lumabord
