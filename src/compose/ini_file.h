// INI text read with the platform's profile rules, shared by profile descriptions and style
// files: section and key names match ignoring case, a value is the text after the first "="
// with surrounding blanks removed, and anything missing reads as the empty text or 0.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumabord {

class IniFile {
 public:
  IniFile() = default;

  // Parses INI text (LF or CR LF lines, an optional UTF-8 byte order mark).
  [[nodiscard]] static IniFile parse(std::string_view text);
  // Reads and parses a file; a missing or unreadable file gives an empty IniFile. A file
  // larger than kMaxBytes is refused with an Error naming it, rather than read into memory.
  [[nodiscard]] static IniFile load(const std::filesystem::path& path);
  static constexpr size_t kMaxBytes = 1 << 20;

  // The value of the first matching key in the first matching section, or "".
  [[nodiscard]] std::string readString(std::string_view section, std::string_view key) const;
  // The value as an integer (decimal, or hexadecimal after "$" or "0x"); 0 when missing or
  // malformed.
  [[nodiscard]] int readInteger(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  std::vector<Section> sections_;
};

// ASCII case-insensitive equality, as the INI rules and the asset lists use it.
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace lumabord
