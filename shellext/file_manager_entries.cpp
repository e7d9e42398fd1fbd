// The per-user entries behind "Frame with Lumabord". Each file manager reads its own kind of
// file; all of them start the program with the selected photos on its command line.
#include "file_manager_entries.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include "base/file_io.h"
#include "thunar_actions.h"

namespace lumabord::shellext {
namespace fs = std::filesystem;
namespace {

// The photo types the program queues from its command line.
constexpr std::string_view kMimeTypes =
    "image/jpeg;image/tiff;image/bmp;image/png;image/heif;image/avif;image/webp;image/jxl;";
constexpr std::string_view kCaption = "Frame with Lumabord";
constexpr std::string_view kComment = "Put the selected photos into a picture frame";

fs::path baseFolder(const char* variable, const fs::path& home, const char* fallback) {
  const char* value = std::getenv(variable);
  // The base directory rules ignore relative values.
  if (value && *value == '/') return value;
  return home / fallback;
}

bool validUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t more = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      more = 1, min = 0x80, code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      more = 2, min = 0x800, code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      more = 3, min = 0x10000, code = c & 0x07;
    } else {
      return false;
    }
    if (i + more >= text.size()) return false;
    for (size_t k = 1; k <= more; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += more + 1;
  }
  return true;
}

// A key-file string value: backslash and control characters escaped.
std::string keyFileValue(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string desktopEntry(const std::string& exec) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" +
         std::string(kCaption) +
         "\n"
         "GenericName=Photo Framer\n"
         "Comment=" +
         std::string(kComment) +
         "\n"
         "Icon=lumabord\n"
         "Exec=" +
         exec +
         " %F\n"
         "Terminal=false\n"
         // Only "Open With" lists it; the program's own menu entry is the installed one.
         "NoDisplay=true\n"
         "MimeType=" +
         std::string(kMimeTypes) + "\n";
}

std::string dolphinServiceMenu(const std::string& exec) {
  return "[Desktop Entry]\n"
         "Type=Service\n"
         "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
         "MimeType=" +
         std::string(kMimeTypes) +
         "\n"
         "Actions=frameWithLumabord;\n"
         "X-KDE-Priority=TopLevel\n"
         "\n"
         "[Desktop Action frameWithLumabord]\n"
         "Name=" +
         std::string(kCaption) +
         "\n"
         "Icon=lumabord\n"
         "Exec=" +
         exec + " %F\n";
}

std::string nautilusScript(const std::string& program) {
  return "#!/bin/sh\n"
         "# " +
         std::string(kCaption) +
         ": Nautilus hands the selected files to this script as its arguments.\n"
         "exec " +
         shellArgument(program) + " \"$@\"\n";
}

std::string nemoAction(const std::string& program) {
  return "[Nemo Action]\n"
         "Active=true\n"
         "Name=" +
         std::string(kCaption) +
         "\n"
         "Comment=" +
         std::string(kComment) +
         "\n"
         // Nemo splits its command line like a shell after reading the key-file value.
         "Exec=" +
         keyFileValue(shellArgument(program)) +
         " %F\n"
         "Icon-Name=lumabord\n"
         "Selection=notnone\n"
         "Mimetypes=" +
         std::string(kMimeTypes) + "\n";
}

// Thunar splits its command like a shell after replacing its %-codes, of which %% is a "%".
std::string thunarCommand(const std::string& program) {
  std::string command;
  for (const char c : shellArgument(program))
    command += c == '%' ? std::string("%%") : std::string(1, c);
  return command + " %F";
}

// The folders that only hold entries like ours, deepest first.
std::vector<fs::path> entryFolders(const EntryPlaces& places) {
  return {places.dataHome / "applications", places.dataHome / "kio/servicemenus",
          places.dataHome / "kio",          places.dataHome / "nautilus/scripts",
          places.dataHome / "nautilus",     places.dataHome / "nemo/actions",
          places.dataHome / "nemo",         places.configHome / "Thunar"};
}

void writeText(const fs::path& path, const std::string& text, bool executable) {
  fs::create_directories(path.parent_path());
  writeFileAtomic(path, text);
  if (executable) {
    fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add);
  }
}

}  // namespace

EntryPlaces placesFromEnvironment() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) throw std::runtime_error("HOME is not set");
  return {baseFolder("XDG_DATA_HOME", home, ".local/share"),
          baseFolder("XDG_CONFIG_HOME", home, ".config")};
}

std::string desktopExecArgument(std::string_view argument) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  const bool quote =
      argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
  std::string out = quote ? "\"" : "";
  for (const char c : argument) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  if (quote) out += '"';
  return keyFileValue(out);
}

std::string shellArgument(std::string_view argument) {
  std::string out = "'";
  for (const char c : argument) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::vector<fs::path> entryPaths(const EntryPlaces& places) {
  return {places.dataHome / "applications/lumabord-frame.desktop",
          places.dataHome / "kio/servicemenus/lumabord-frame.desktop",
          places.dataHome / "nautilus/scripts" / std::string(kCaption),
          places.dataHome / "nemo/actions/lumabord-frame.nemo_action"};
}

std::vector<EntryFile> entryFiles(const EntryPlaces& places, const fs::path& program) {
  const std::string path = program.string();
  if (!validUtf8(path)) throw std::runtime_error("the program's path is not UTF-8: " + path);
  const std::string exec = desktopExecArgument(path);
  const std::vector<fs::path> paths = entryPaths(places);
  return {
      {paths[0], desktopEntry(exec), false},
      // Dolphin runs service menus from a user's folder only when they are executable.
      {paths[1], dolphinServiceMenu(exec), true},
      {paths[2], nautilusScript(path), true},
      {paths[3], nemoAction(path), false},
  };
}

fs::path thunarActionsFile(const EntryPlaces& places) {
  const fs::path file = places.configHome / "Thunar/uca.xml";
  // Dotfile managers link the file into place; writing goes to the linked file so that the
  // link stays.
  std::error_code ec;
  if (fs::is_symlink(file, ec)) {
    const fs::path target = fs::canonical(file, ec);
    if (!ec) return target;
  }
  return file;
}

void registerEntries(const EntryPlaces& places, const fs::path& program) {
  const std::vector<EntryFile> files = entryFiles(places, program);
  const std::string element = thunarActionElement(thunarCommand(program.string()));
  const fs::path actions = thunarActionsFile(places);
  std::string merged = thunarActionsDocument(element);
  if (fs::exists(actions)) {
    const std::vector<uint8_t> bytes = readFile(actions);
    const auto withOurs = mergeThunarAction(std::string(bytes.begin(), bytes.end()), element);
    if (!withOurs) throw std::runtime_error("not a Thunar actions file: " + actions.string());
    merged = *withOurs;
  }
  for (const EntryFile& file : files) writeText(file.path, file.content, file.executable);
  writeText(actions, merged, false);
}

void unregisterEntries(const EntryPlaces& places) {
  for (const fs::path& path : entryPaths(places)) fs::remove(path);
  const fs::path actions = thunarActionsFile(places);
  if (fs::exists(actions)) {
    const std::vector<uint8_t> bytes = readFile(actions);
    const std::string document(bytes.begin(), bytes.end());
    const std::string rest = removeThunarAction(document);
    // A file that held only our action goes the way it came.
    std::error_code ec;
    if (rest == thunarActionsDocument("") &&
        !fs::is_symlink(places.configHome / "Thunar/uca.xml", ec)) {
      fs::remove(actions);
    } else if (rest != document) {
      writeFileAtomic(actions, rest);
    }
  }
  for (const fs::path& folder : entryFolders(places)) {
    std::error_code ec;
    if (fs::is_directory(folder, ec) && fs::is_empty(folder, ec)) fs::remove(folder, ec);
  }
}

}  // namespace lumabord::shellext
