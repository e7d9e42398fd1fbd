// cvaframe.dll: the context-menu library. The program loads it and calls one of its two
// self-registration entry points; they add or remove "Frame with Lumabord" in the file
// managers of the current user. The program is the "lumabord" beside this library.
#include <dlfcn.h>

#include <cstdint>
#include <exception>
#include <filesystem>

#include "file_manager_entries.h"

namespace {

// The status codes of self-registration entry points.
constexpr int32_t kOk = 0;
constexpr int32_t kFail = static_cast<int32_t>(0x80004005);

std::filesystem::path ownFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ownFolder), &info) == 0 || !info.dli_fname) return {};
  return std::filesystem::absolute(info.dli_fname).lexically_normal().parent_path();
}

template <typename Action>
int32_t guarded(Action action) {
  // No exception may cross into the caller, which may not even be C++.
  try {
    action();
    return kOk;
  } catch (const std::exception&) {
    return kFail;
  }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer() {
  return guarded([] {
    const std::filesystem::path program = ownFolder() / "lumabord";
    if (!std::filesystem::exists(program)) throw std::runtime_error("no program beside us");
    lumabord::shellext::registerEntries(lumabord::shellext::placesFromEnvironment(), program);
  });
}

extern "C" __attribute__((visibility("default"))) int32_t DllUnregisterServer() {
  return guarded(
      [] { lumabord::shellext::unregisterEntries(lumabord::shellext::placesFromEnvironment()); });
}
