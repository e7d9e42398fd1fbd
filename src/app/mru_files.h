// TMRUFiles: the recent-photos list, its file "mru.ini" and its menu entries as data.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lumabord {

// One item the list puts after its anchor menu item. The caption is the menu text as is,
// "&" marking the accelerator (a view that doubles "&" for literal ampersands must do so
// only in the path part).
struct MruMenuItem {
  bool separator = false;
  std::string caption;
  std::string hint;
  int index = -1;  // entry index; -1 for the separator
};

class TMRUFiles {
 public:
  uint8_t MaxEntries = 9;
  bool Numbered = true;
  std::function<void(const std::string&)> OnClick;
  // Called once after every change of the entry list: the view rebuilds the menu.
  std::function<void()> OnChange;

  [[nodiscard]] const std::vector<std::string>& Items() const { return items_; }

  // Moves path to the top (removing the first entry equal to it ignoring ASCII case) and
  // trims the list to MaxEntries. An empty path is ignored.
  void Add(const std::string& path);
  // The largest list file read: a recent-files list is a few hundred bytes.
  static constexpr uintmax_t kMaxFileBytes = 64 * 1024;

  // Replaces the list by the lines of the file (CR LF, LF or CR), without trimming. Throws
  // Error naming the file, leaving the list as it was, when it cannot be read, is not a
  // regular file (a FIFO is never waited on) or is larger than kMaxFileBytes.
  void LoadFromFile(const std::filesystem::path& file);
  // Writes every entry followed by CR LF, atomically. Throws Error on failure.
  void SaveToFile(const std::filesystem::path& file) const;
  // Writes the list now in the file (another window may have written it since this one read
  // it) with the paths added here since the last save on top, as Add puts them, atomically.
  // An unreadable list on disk counts as empty, and is left as it is when nothing was added.
  // Throws Error when the file cannot be written.
  void SaveMergedToFile(const std::filesystem::path& file);

  // The items after the anchor: a separator and one item per entry, or nothing when empty.
  [[nodiscard]] std::vector<MruMenuItem> MenuItems() const;
  // A click on the menu item of entry index raises OnClick with its path.
  void Click(int index) const;

 private:
  void changed();
  std::vector<std::string> items_;
  std::vector<std::string> added_;  // paths given to Add since the last save, oldest first
};

}  // namespace lumabord
