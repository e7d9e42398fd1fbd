// ScanFiles over the asset folders and the four list fillers.
#include "compose/asset_library.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "compose/asset_paths.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of the UTF-8 character starting at s[i] (1 for a stray byte).
size_t charLength(std::string_view s, size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  size_t n = lead < 0x80           ? 1
             : (lead >> 5) == 0x6  ? 2
             : (lead >> 4) == 0xE  ? 3
             : (lead >> 3) == 0x1E ? 4
                                   : 1;
  if (i + n > s.size()) return 1;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  }
  return n;
}

struct DirCloser {
  void operator()(DIR* d) const { closedir(d); }
};

// The names of a folder's entries in the order the file system returns them, without "."
// and "..", each with whether it is a folder (symbolic links followed).
std::vector<std::pair<std::string, bool>> listFolder(const fs::path& folder) {
  std::vector<std::pair<std::string, bool>> entries;
  const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
  if (!dir) return entries;
  while (const dirent* e = readdir(dir.get())) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = e->d_type == DT_DIR;
    if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
      struct stat st {};
      isFolder = stat((folder / name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    entries.emplace_back(name, isFolder);
  }
  return entries;
}

void scanFolder(const fs::path& folder, const std::string& mask, bool withSubFolders,
                const std::function<void()>& afterEntry, std::set<std::pair<dev_t, ino_t>>& seen,
                std::vector<fs::path>& result) {
  struct stat st {};
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
  if (!seen.insert({st.st_dev, st.st_ino}).second) return;
  const auto entries = listFolder(folder);
  for (const auto& [name, isFolder] : entries) {
    if (!matchesMask(name, mask)) continue;
    result.push_back(folder / name);
    if (afterEntry) afterEntry();
  }
  if (!withSubFolders) return;
  for (const auto& [name, isFolder] : entries) {
    if (isFolder) scanFolder(folder / name, mask, withSubFolders, afterEntry, seen, result);
  }
}

std::string fileName(const fs::path& p) {
  return p.filename().string();
}

// "sub/x.png" under root as the list shows it: "sub\x.png".
std::string relativeEntry(const fs::path& file, const fs::path& root) {
  std::string text = file.lexically_relative(root).generic_string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return text;
}

// The user's folder repeats a name of the program folder when it holds its own copy of it;
// the list shows the name once (the user's file is the one used).
void addOnce(ChoiceList& list, std::string entry) {
  if (!userAssetFolder().empty() &&
      std::find(list.entries.begin(), list.entries.end(), entry) != list.entries.end()) {
    return;
  }
  list.entries.push_back(std::move(entry));
}

}  // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
  size_t n = 0, m = 0;
  size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && mask[m] == '?') {
      ++m;
      n += charLength(name, n);
    } else if (m < mask.size() && lowerAscii(mask[m]) == lowerAscii(name[n])) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      starName += charLength(name, starName);
      n = starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::string baseNameWithoutExtension(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind('.');
  return std::string(dot == std::string_view::npos ? path : path.substr(0, dot));
}

std::vector<fs::path> ScanFiles(const std::vector<fs::path>& patterns, bool withSubFolders,
                                const std::function<void()>& afterEntry) {
  std::vector<fs::path> result;
  for (const fs::path& pattern : patterns) {
    std::set<std::pair<dev_t, ino_t>> seen;
    scanFolder(pattern.parent_path(), fileName(pattern), withSubFolders, afterEntry, seen, result);
  }
  return result;
}

void FillShadowList(DesignControls& controls, const fs::path& appPath) {
  ChoiceList& list = controls.cboShadow;
  list.clear();
  list.entries.emplace_back("<none>");
  for (const fs::path& folder : assetFolders(appPath, "Shadows")) {
    for (const fs::path& file : ScanFiles({folder / "*.bmp"}, false)) {
      addOnce(list, baseNameWithoutExtension(fileName(file)));
    }
  }
  list.selected = 0;
}

void FillTextureLists(DesignControls& controls, const fs::path& appPath) {
  ChoiceList& frame = controls.cboFrameTexture;
  frame.clear();
  for (const fs::path& root : assetFolders(appPath, "Image Textures")) {
    for (const char* mask : {"*.png", "*.gif", "*.jpg", "*.bmp"}) {
      for (const fs::path& file : ScanFiles({root / mask}, true)) {
        addOnce(frame, relativeEntry(file, root));
      }
    }
  }
  if (!frame.entries.empty()) frame.selected = 0;
  controls.cboOuterMatteTexture = frame;
  controls.cboInnerTexture = frame;
}

void FillStyleList(DesignControls& controls, const fs::path& appPath, int storedStyleIndex) {
  ChoiceList& list = controls.cboFrame;
  list.clear();
  for (const fs::path& folder : assetFolders(appPath, "Image Styles")) {
    for (const fs::path& file : ScanFiles({folder / "*.txt"}, false)) {
      addOnce(list, baseNameWithoutExtension(fileName(file)));
    }
  }
  if (storedStyleIndex >= 0 && storedStyleIndex < static_cast<int>(list.entries.size())) {
    list.selected = storedStyleIndex;
  }
}

void FillMaskList(DesignControls& controls, const fs::path& appPath) {
  ChoiceList& list = controls.cboFrameMask;
  list.clear();
  for (const fs::path& folder : assetFolders(appPath, "Image Masks")) {
    for (const fs::path& file : ScanFiles({folder / "*.bmp"}, true)) {
      addOnce(list, baseNameWithoutExtension(fileName(file)));
    }
  }
  if (!list.entries.empty()) list.selected = 0;
}

}  // namespace lumabord
