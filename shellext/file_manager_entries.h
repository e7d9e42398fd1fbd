// The "Frame with Lumabord" entries of the common Linux file managers, for the current user:
// what each file holds, where it lives, and writing and removing them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumabord::shellext {

// The user's XDG base folders the entries live under.
struct EntryPlaces {
  std::filesystem::path dataHome;    // $XDG_DATA_HOME, default ~/.local/share
  std::filesystem::path configHome;  // $XDG_CONFIG_HOME, default ~/.config
};

// The places of the current process's environment; throws std::runtime_error without $HOME.
[[nodiscard]] EntryPlaces placesFromEnvironment();

// One argument of a desktop entry's Exec= value: quoted and escaped by the Desktop Entry
// rules (double quotes around arguments with reserved characters, inside them a backslash
// before each of " ` $ and backslash, "%%" for a literal percent sign), then escaped as a
// key-file string value.
[[nodiscard]] std::string desktopExecArgument(std::string_view argument);

// One argument for a POSIX shell or GLib's shell-style parser: single-quoted.
[[nodiscard]] std::string shellArgument(std::string_view argument);

// Where the desktop entry ("Open With"), the Dolphin service menu, the Nautilus script and
// the Nemo action live.
[[nodiscard]] std::vector<std::filesystem::path> entryPaths(const EntryPlaces& places);

// A file the registration owns wholly.
struct EntryFile {
  std::filesystem::path path;
  std::string content;
  bool executable = false;
};

// The files that make the entry for `program`, at entryPaths(). Throws std::runtime_error
// when the program's path is not valid UTF-8 (no entry file could name it).
[[nodiscard]] std::vector<EntryFile> entryFiles(const EntryPlaces& places,
                                                const std::filesystem::path& program);

// The Thunar custom actions file the Thunar action is merged into (the file it links to, when
// it is a symbolic link).
[[nodiscard]] std::filesystem::path thunarActionsFile(const EntryPlaces& places);

// Writes every entry (replacing earlier ones of ours, so registering twice adds nothing
// twice) and merges the Thunar action into the user's own actions. Throws on failure.
void registerEntries(const EntryPlaces& places, const std::filesystem::path& program);

// Removes what registerEntries added: our files, our Thunar action, and the folders that
// registering created and that are empty again. Leaves everything else as it was.
void unregisterEntries(const EntryPlaces& places);

}  // namespace lumabord::shellext
