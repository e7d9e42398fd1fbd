// The text form of the settings store: a REGEDIT4 file of keys and DWORD or string values.
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Corvella\Lumabord 2]
//   "Shadow Size"=dword:00000009
//   "Signature Text"="Ann \"Nan\" Lee"
// Strings escape backslash, double quote, CR and LF (\\ \" \r \n) and other control bytes
// as \xHH. Lines the program does not understand (other value types, comments) are kept
// and written back unchanged, so a hand-edited store loses nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumabord {

struct RegValue {
  enum class Kind { Dword, String, Other };
  Kind kind = Kind::Other;
  std::string name;  // empty for Other lines
  uint32_t dword = 0;
  std::string text;  // the string, or the whole line for Other
};

struct RegKey {
  std::string path;  // "HKEY_LOCAL_MACHINE\Software\Corvella\Lumabord 2"
  std::vector<RegValue> values;
};

// Key paths and value names are matched ignoring ASCII case, as the registry does; the
// first spelling stays.
class RegFile {
 public:
  [[nodiscard]] static RegFile parse(std::string_view text);
  [[nodiscard]] std::string serialize() const;

  [[nodiscard]] bool hasKey(std::string_view keyPath) const;
  // The value, or nullptr when the key or value is missing (the last of duplicates counts).
  [[nodiscard]] const RegValue* find(std::string_view keyPath, std::string_view name) const;
  // Creates the key if needed and replaces every value of that name by this one.
  void set(std::string_view keyPath, RegValue value);

  [[nodiscard]] const std::vector<RegKey>& keys() const { return keys_; }

 private:
  std::vector<RegKey> keys_;
};

[[nodiscard]] std::string escapeRegString(std::string_view text);
// nullopt for an unterminated string or text after the closing quote.
[[nodiscard]] std::optional<std::string> unescapeRegString(std::string_view quoted);

}  // namespace lumabord
