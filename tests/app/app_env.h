// Environment for app tests: a private settings store and program folder per test.
#pragma once

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace lumabord::testing {

// Points LUMABORD_REGISTRY into a fresh folder and LUMABORD_HOME at a program folder below
// it; both are restored when the test ends.
class AppEnvironment {
 public:
  AppEnvironment()
      : store_(dir_ / "config" / "lumabord" / "registry.reg"), home_(dir_ / "program") {
    std::filesystem::create_directories(home_);
    save("LUMABORD_REGISTRY", oldRegistry_);
    save("LUMABORD_HOME", oldHome_);
    setenv("LUMABORD_REGISTRY", store_.c_str(), 1);
    setenv("LUMABORD_HOME", home_.c_str(), 1);
  }
  ~AppEnvironment() {
    restore("LUMABORD_REGISTRY", oldRegistry_);
    restore("LUMABORD_HOME", oldHome_);
  }
  AppEnvironment(const AppEnvironment&) = delete;
  AppEnvironment& operator=(const AppEnvironment&) = delete;

  const std::filesystem::path& store() const { return store_; }
  const std::filesystem::path& home() const { return home_; }
  const TempDir& dir() const { return dir_; }

 private:
  static void save(const char* name, std::string& slot) {
    const char* value = std::getenv(name);
    slot = value ? std::string(1, '=') + value : std::string();
  }
  static void restore(const char* name, const std::string& slot) {
    if (slot.empty()) {
      unsetenv(name);
    } else {
      setenv(name, slot.c_str() + 1, 1);
    }
  }

  TempDir dir_;
  std::filesystem::path store_;
  std::filesystem::path home_;
  std::string oldRegistry_;
  std::string oldHome_;
};

}  // namespace lumabord::testing
