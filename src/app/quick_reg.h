// QuickReg: registry values addressed by one full path text such as
// "HKEY_LOCAL_MACHINE\Software\Corvella\Lumabord 2\Shadow Size", kept in the settings
// store file. Every call opens the store afresh; writes re-read, change and replace the
// file under an advisory lock so two running instances never lose each other's values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumabord {

enum class RegRoot {
  ClassesRoot,
  CurrentUser,
  LocalMachine,
  Users,
  PerformanceData,
  CurrentConfig,
  DynData,
};

// The key of the program's own settings, with the trailing backslash.
inline constexpr std::string_view kSettingsKey =
    "HKEY_LOCAL_MACHINE\\Software\\Corvella\\Lumabord 2\\";

// $LUMABORD_REGISTRY, else $XDG_CONFIG_HOME/lumabord/registry.reg, else
// ~/.config/lumabord/registry.reg.
[[nodiscard]] std::filesystem::path registryStorePath();

// Value name: the text after the last backslash; key path: the text before it. False when
// there is no backslash.
bool SplitRegPath(std::string_view fullPath, std::string& keyPath, std::string& valueName);

// Root name (exact, case counts) before the first backslash and the subkey after it. False
// for an unknown root name or a key path without a backslash.
bool OpenRegPath(std::string_view keyPath, RegRoot& root, std::string& subKey);

// Reads leave value untouched and return false when the key or value is missing or has
// another type (a string where a DWORD is expected and the other way round).
bool RegReadBool(const std::string& fullPath, bool& value);
bool RegReadInteger(const std::string& fullPath, int32_t& value);
bool RegReadString(const std::string& fullPath, std::string& value);

// Writes return false, writing nothing, when the path does not open, when the key is
// missing and create is false, or when the store cannot be read or replaced.
bool RegWriteBool(const std::string& fullPath, bool value, bool create);
bool RegWriteInteger(const std::string& fullPath, int32_t value, bool create);
bool RegWriteString(const std::string& fullPath, const std::string& value, bool create);

}  // namespace lumabord
