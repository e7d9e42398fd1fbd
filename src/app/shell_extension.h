// Linking the context-menu library: load it, call one of its self-registration entry points,
// unload it. The library and what it registers live outside the program.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace lumabord {

// The context-menu library's file name beside the program.
inline constexpr const char* kShellExtensionFile = "cvaframe.dll";

using ShowMessage = std::function<void(const std::string&)>;

// Calls "DllRegisterServer" of the library at `library`. False, after showing "There was a
// problem linking " and the library's file name, when it cannot be loaded; a library without
// the entry point is named with the entry point. The entry point's status is not looked at.
bool RegisterShellExtension(const std::filesystem::path& library, const ShowMessage& show);
// The same with "DllUnregisterServer".
bool UnregisterShellExtension(const std::filesystem::path& library, const ShowMessage& show);

}  // namespace lumabord
