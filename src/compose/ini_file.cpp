// The shared INI reader.
#include "compose/ini_file.h"

#include <cstdint>
#include <system_error>

#include "base/error.h"
#include "base/file_io.h"
#include "base/int_text.h"

namespace lumabord {
namespace {

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

IniFile IniFile::parse(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  IniFile ini;
  Section* current = nullptr;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      const std::string_view name =
          trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      ini.sections_.push_back({std::string(name), {}});
      current = &ini.sections_.back();
      continue;
    }
    const size_t eq = line.find('=');
    if (current == nullptr || eq == std::string_view::npos) continue;
    current->entries.push_back(
        {std::string(trim(line.substr(0, eq))), std::string(trim(line.substr(eq + 1)))});
  }
  return ini;
}

IniFile IniFile::load(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return {};
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec && size > kMaxBytes) {
    fail("%s is %ju bytes long; a profile or style file is at most %ju bytes, so it was not read",
         path.c_str(), size, static_cast<uintmax_t>(kMaxBytes));
  }
  try {
    const std::vector<uint8_t> bytes = readFile(path);
    return parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const Error&) {
    return {};
  }
}

std::string IniFile::readString(std::string_view section, std::string_view key) const {
  for (const Section& s : sections_) {
    if (!equalsIgnoringCase(s.name, section)) continue;
    for (const Entry& e : s.entries) {
      if (equalsIgnoringCase(e.key, key)) return e.value;
    }
    // Only the first section of a name counts, as with the platform's profile functions.
    return {};
  }
  return {};
}

int IniFile::readInteger(std::string_view section, std::string_view key) const {
  return parseInteger(readString(section, key)).value_or(0);
}

}  // namespace lumabord
