// Reads WIDTH and HEIGHT of section RADIUS from a profile's INI file.
#include "compose/profile_ini.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <string>

#include "base/int_text.h"

namespace lumabord {
namespace {

std::string trim(const std::string& text) {
  const auto blank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; };
  size_t a = 0;
  size_t b = text.size();
  while (a < b && blank(static_cast<unsigned char>(text[a]))) ++a;
  while (b > a && blank(static_cast<unsigned char>(text[b - 1]))) --b;
  return text.substr(a, b - a);
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

ProfileWidths readProfileWidths(const std::filesystem::path& iniFile) {
  std::ifstream in(iniFile, std::ios::binary);
  std::optional<int> width;
  std::optional<int> height;
  std::string line;
  bool inRadius = false;
  while (in && std::getline(in, line)) {
    line = trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      inRadius = close != std::string::npos && lower(trim(line.substr(1, close - 1))) == "radius";
      continue;
    }
    const size_t eq = line.find('=');
    if (!inRadius || eq == std::string::npos) continue;
    const std::string key = lower(trim(line.substr(0, eq)));
    std::optional<int>* slot = key == "width" ? &width : key == "height" ? &height : nullptr;
    // The first occurrence of a key counts, as with the platform's INI reader.
    if (slot && !*slot) *slot = parseInteger(trim(line.substr(eq + 1))).value_or(0);
  }
  return {width.value_or(0), height.value_or(0)};
}

}  // namespace lumabord
