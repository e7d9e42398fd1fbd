// QuickReg over the settings store file, with a sibling lock file for writers.
#include "app/quick_reg.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <system_error>

#include "app/reg_file.h"
#include "app/user_folders.h"
#include "base/error.h"
#include "base/file_io.h"

namespace lumabord {
namespace {

// A settings file far beyond this is not one the program wrote; refusing it keeps a hostile
// file from exhausting memory.
constexpr uintmax_t kMaxStoreBytes = 16u << 20;

struct RootName {
  std::string_view name;
  RegRoot root;
};

constexpr std::array<RootName, 7> kRoots{{
    {"HKEY_CLASSES_ROOT", RegRoot::ClassesRoot},
    {"HKEY_CURRENT_USER", RegRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE", RegRoot::LocalMachine},
    {"HKEY_USERS", RegRoot::Users},
    {"HKEY_PERFORMANCE_DATA", RegRoot::PerformanceData},
    {"HKEY_CURRENT_CONFIG", RegRoot::CurrentConfig},
    {"HKEY_DYN_DATA", RegRoot::DynData},
}};

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// The store's text; nullopt when it exists but cannot be read, "" when it does not exist.
std::optional<std::string> readStore(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    return ec ? std::nullopt : std::optional<std::string>(std::string());
  }
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxStoreBytes) return std::nullopt;
  try {
    const std::vector<uint8_t> bytes = readFile(path);
    return std::string(bytes.begin(), bytes.end());
  } catch (const Error&) {
    return std::nullopt;
  }
}

// Holds an exclusive flock on "<store>.lock" while writers re-read and replace the store.
class StoreLock {
 public:
  explicit StoreLock(const std::filesystem::path& store) {
    const std::string lockPath = store.string() + ".lock";
    fd_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) return;
    while (flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(fd_);
        fd_ = -1;
        return;
      }
    }
  }
  ~StoreLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

struct ValuePath {
  std::string key;
  std::string name;
};

std::optional<ValuePath> openPath(std::string_view fullPath) {
  ValuePath path;
  RegRoot root{};
  std::string subKey;
  if (!SplitRegPath(fullPath, path.key, path.name) || !OpenRegPath(path.key, root, subKey)) {
    return std::nullopt;
  }
  return path;
}

const RegValue* readValue(const std::string& fullPath, RegFile& file) {
  const std::optional<ValuePath> path = openPath(fullPath);
  if (!path) return nullptr;
  const std::optional<std::string> text = readStore(registryStorePath());
  if (!text) return nullptr;
  file = RegFile::parse(*text);
  return file.find(path->key, path->name);
}

bool writeValue(const std::string& fullPath, RegValue value, bool create) {
  const std::optional<ValuePath> path = openPath(fullPath);
  if (!path) return false;
  const std::filesystem::path store = registryStorePath();
  std::error_code ec;
  if (create && store.has_parent_path())
    std::filesystem::create_directories(store.parent_path(), ec);
  StoreLock lock(store);
  if (!lock.held()) return false;
  const std::optional<std::string> text = readStore(store);
  if (!text) return false;  // never replace a store that could not be read
  RegFile file = RegFile::parse(*text);
  if (!create && !file.hasKey(path->key)) return false;
  value.name = path->name;
  file.set(path->key, std::move(value));
  try {
    writeFileAtomic(store, file.serialize());
  } catch (const Error&) {
    return false;
  }
  return true;
}

}  // namespace

std::filesystem::path registryStorePath() {
  const std::string overridden = environment("LUMABORD_REGISTRY");
  if (!overridden.empty()) return overridden;
  return xdgFolder("XDG_CONFIG_HOME", ".config") / "lumabord" / "registry.reg";
}

bool SplitRegPath(std::string_view fullPath, std::string& keyPath, std::string& valueName) {
  const size_t slash = fullPath.rfind('\\');
  if (slash == std::string_view::npos) return false;
  keyPath = std::string(fullPath.substr(0, slash));
  valueName = std::string(fullPath.substr(slash + 1));
  return true;
}

bool OpenRegPath(std::string_view keyPath, RegRoot& root, std::string& subKey) {
  const size_t slash = keyPath.find('\\');
  if (slash == std::string_view::npos) return false;
  const std::string_view name = keyPath.substr(0, slash);
  for (const RootName& entry : kRoots) {
    if (entry.name == name) {
      root = entry.root;
      subKey = std::string(keyPath.substr(slash + 1));
      return true;
    }
  }
  return false;
}

bool RegReadBool(const std::string& fullPath, bool& value) {
  int32_t number = 0;
  if (!RegReadInteger(fullPath, number)) return false;
  value = number != 0;
  return true;
}

bool RegReadInteger(const std::string& fullPath, int32_t& value) {
  RegFile file;
  const RegValue* stored = readValue(fullPath, file);
  if (!stored || stored->kind != RegValue::Kind::Dword) return false;
  value = static_cast<int32_t>(stored->dword);
  return true;
}

bool RegReadString(const std::string& fullPath, std::string& value) {
  RegFile file;
  const RegValue* stored = readValue(fullPath, file);
  if (!stored || stored->kind != RegValue::Kind::String) return false;
  value = stored->text;
  return true;
}

bool RegWriteBool(const std::string& fullPath, bool value, bool create) {
  return RegWriteInteger(fullPath, value ? 1 : 0, create);
}

bool RegWriteInteger(const std::string& fullPath, int32_t value, bool create) {
  RegValue v;
  v.kind = RegValue::Kind::Dword;
  v.dword = static_cast<uint32_t>(value);
  return writeValue(fullPath, std::move(v), create);
}

bool RegWriteString(const std::string& fullPath, const std::string& value, bool create) {
  RegValue v;
  v.kind = RegValue::Kind::String;
  v.text = value;
  return writeValue(fullPath, std::move(v), create);
}

}  // namespace lumabord
