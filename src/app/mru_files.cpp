// The recent-photos list.
#include "app/mru_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "app/text_lines.h"
#include "base/error.h"
#include "base/file_io.h"

namespace lumabord {
namespace {

bool equalIgnoringAsciiCase(const std::string& a, const std::string& b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The file's text: a regular file of at most maxBytes, opened without blocking (a FIFO in its
// place would otherwise hold up the start until something writes to it).
std::string readListFile(const std::filesystem::path& file, uintmax_t maxBytes) {
  const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) fail("Cannot open file %s", file.c_str());
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    fail("%s is not a regular file", file.c_str());
  }
  if (static_cast<uintmax_t>(st.st_size) > maxBytes) {
    fail("%s is larger than %ju bytes", file.c_str(), maxBytes);
  }
  // Read up to one byte past the limit: the file may have grown since fstat.
  std::string text(static_cast<size_t>(maxBytes) + 1, '\0');
  size_t length = 0;
  while (length < text.size()) {
    const ssize_t n = read(fd, text.data() + length, text.size() - length);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail("Cannot open file %s", file.c_str());
    if (n == 0) break;
    length += static_cast<size_t>(n);
  }
  if (length > maxBytes) fail("%s is larger than %ju bytes", file.c_str(), maxBytes);
  text.resize(length);
  return text;
}

}  // namespace

void TMRUFiles::Add(const std::string& path) {
  if (path.empty()) return;
  auto same = std::find_if(items_.begin(), items_.end(),
                           [&](const std::string& e) { return equalIgnoringAsciiCase(e, path); });
  if (same != items_.end()) items_.erase(same);
  // A limit of 0 would leave no room for the new entry; it keeps just that one.
  const size_t keep = std::max<size_t>(MaxEntries, 1) - 1;
  if (items_.size() > keep) items_.resize(keep);
  items_.insert(items_.begin(), path);
  added_.push_back(path);
  changed();
}

void TMRUFiles::LoadFromFile(const std::filesystem::path& file) {
  items_ = splitTextLines(readListFile(file, kMaxFileBytes));
  changed();
}

void TMRUFiles::SaveMergedToFile(const std::filesystem::path& file) {
  TMRUFiles merged;
  merged.MaxEntries = MaxEntries;
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) {
    try {
      merged.LoadFromFile(file);
    } catch (const Error&) {
      // A file that is no list is left alone unless there is something to store.
      if (added_.empty()) return;
    }
  }
  for (const std::string& path : added_) merged.Add(path);
  merged.SaveToFile(file);
  added_.clear();
}

void TMRUFiles::SaveToFile(const std::filesystem::path& file) const {
  std::string text;
  for (const std::string& entry : items_) text += entry + "\r\n";
  writeFileAtomic(file, text);
}

std::vector<MruMenuItem> TMRUFiles::MenuItems() const {
  std::vector<MruMenuItem> menu;
  if (items_.empty()) return menu;
  menu.push_back({true, "-", "", -1});
  for (size_t i = 0; i < items_.size(); ++i) {
    MruMenuItem item;
    item.index = static_cast<int>(i);
    if (!Numbered) {
      item.caption = items_[i];
    } else if (i < 10) {
      item.caption = "&" + std::to_string(i + 1) + " " + items_[i];
    } else {
      item.caption = "  " + items_[i];
    }
    item.hint = "Opens " + items_[i];
    menu.push_back(std::move(item));
  }
  return menu;
}

void TMRUFiles::Click(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= items_.size() || !OnClick) return;
  OnClick(items_[static_cast<size_t>(index)]);
}

void TMRUFiles::changed() {
  if (OnChange) OnChange();
}

}  // namespace lumabord
