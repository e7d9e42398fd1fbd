// The context-menu library is loaded only for the one call and unloaded at once.
#include "app/shell_extension.h"

#include <dlfcn.h>

#include <cstdint>
#include <memory>

namespace lumabord {
namespace {

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

bool callEntryPoint(const std::filesystem::path& library, const char* entry,
                    const ShowMessage& show) {
  const std::string name = library.filename().string();
  // RTLD_LOCAL: nothing of the library leaks into the program's own symbol lookups.
  const std::unique_ptr<void, LibraryCloser> handle(dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!handle) {
    show("There was a problem linking " + name);
    return false;
  }
  using EntryPoint = int32_t (*)();
  const auto function = reinterpret_cast<EntryPoint>(dlsym(handle.get(), entry));
  if (!function) {
    show(name + " has no entry point " + entry);
    return true;
  }
  function();
  return true;
}

}  // namespace

bool RegisterShellExtension(const std::filesystem::path& library, const ShowMessage& show) {
  return callEntryPoint(library, "DllRegisterServer", show);
}

bool UnregisterShellExtension(const std::filesystem::path& library, const ShowMessage& show) {
  return callEntryPoint(library, "DllUnregisterServer", show);
}

}  // namespace lumabord
