// The recent-photos list.
#include "app/mru_files.h"

#include <algorithm>

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
  changed();
}

void TMRUFiles::LoadFromFile(const std::filesystem::path& file) {
  const std::vector<uint8_t> bytes = readFile(file);
  items_ =
      splitTextLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  changed();
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
