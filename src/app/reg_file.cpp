// Parsing and writing the REGEDIT4 text of the settings store.
#include "app/reg_file.h"

#include <algorithm>
#include <cstdio>

namespace lumabord {
namespace {

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lowerAscii(x) == lowerAscii(y);
         });
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the quoted text starting at text[pos] == '"'; pos ends after the closing quote.
std::optional<std::string> scanQuoted(std::string_view text, size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string out;
  for (size_t i = pos + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      pos = i + 1;
      return out;
    }
    if (c != '\\' || i + 1 >= text.size()) {
      out += c;
      continue;
    }
    const char e = text[++i];
    if (e == '\\' || e == '"') {
      out += e;
    } else if (e == 'n') {
      out += '\n';
    } else if (e == 'r') {
      out += '\r';
    } else if (e == 'x' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
               hexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
      i += 2;
    } else {
      out += '\\';
      out += e;
    }
  }
  return std::nullopt;
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::optional<uint32_t> parseDword(std::string_view text) {
  constexpr std::string_view kPrefix = "dword:";
  if (text.size() <= kPrefix.size() || text.size() > kPrefix.size() + 8 ||
      !equalsIgnoringCase(text.substr(0, kPrefix.size()), kPrefix)) {
    return std::nullopt;
  }
  uint32_t value = 0;
  for (char c : text.substr(kPrefix.size())) {
    const int d = hexDigit(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(d);
  }
  return value;
}

RegValue parseValueLine(std::string_view line) {
  RegValue raw;
  raw.text = std::string(line);
  size_t pos = 0;
  std::optional<std::string> name = scanQuoted(line, pos);
  if (!name || pos >= line.size() || line[pos] != '=') return raw;
  raw.name = *name;
  const std::string_view rest = trimRight(line.substr(pos + 1));
  RegValue value;
  value.name = *name;
  if (!rest.empty() && rest.front() == '"') {
    size_t end = 0;
    std::optional<std::string> text = scanQuoted(rest, end);
    if (!text || end != rest.size()) return raw;
    value.kind = RegValue::Kind::String;
    value.text = std::move(*text);
    return value;
  }
  if (std::optional<uint32_t> dword = parseDword(rest)) {
    value.kind = RegValue::Kind::Dword;
    value.dword = *dword;
    return value;
  }
  return raw;
}

}  // namespace

std::string escapeRegString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> unescapeRegString(std::string_view quoted) {
  size_t pos = 0;
  std::optional<std::string> text = scanQuoted(quoted, pos);
  if (!text || pos != quoted.size()) return std::nullopt;
  return text;
}

RegFile RegFile::parse(std::string_view text) {
  RegFile file;
  RegKey* current = nullptr;
  bool skipping = false;  // inside a "[-key]" deletion block
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = trimRight(line);
    if (trimmed.empty()) continue;
    if (trimmed.front() == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
      const std::string_view path = trimmed.substr(1, trimmed.size() - 2);
      skipping = !path.empty() && path.front() == '-';
      current = nullptr;
      if (skipping) continue;
      auto it = std::find_if(file.keys_.begin(), file.keys_.end(),
                             [&](const RegKey& k) { return equalsIgnoringCase(k.path, path); });
      if (it == file.keys_.end()) {
        file.keys_.push_back({std::string(path), {}});
        current = &file.keys_.back();
      } else {
        current = &*it;
      }
      continue;
    }
    if (!current || skipping) continue;  // the header and anything before the first key
    current->values.push_back(parseValueLine(line));
  }
  return file;
}

std::string RegFile::serialize() const {
  std::string out = "REGEDIT4\n\n";
  for (const RegKey& key : keys_) {
    out += '[' + key.path + "]\n";
    for (const RegValue& v : key.values) {
      switch (v.kind) {
        case RegValue::Kind::Dword: {
          char hex[9];
          std::snprintf(hex, sizeof hex, "%08x", v.dword);
          out += '"' + escapeRegString(v.name) + "\"=dword:" + hex + '\n';
          break;
        }
        case RegValue::Kind::String:
          out += '"' + escapeRegString(v.name) + "\"=\"" + escapeRegString(v.text) + "\"\n";
          break;
        case RegValue::Kind::Other:
          out += v.text + '\n';
          break;
      }
    }
    out += '\n';
  }
  return out;
}

bool RegFile::hasKey(std::string_view keyPath) const {
  return std::any_of(keys_.begin(), keys_.end(),
                     [&](const RegKey& k) { return equalsIgnoringCase(k.path, keyPath); });
}

const RegValue* RegFile::find(std::string_view keyPath, std::string_view name) const {
  for (const RegKey& key : keys_) {
    if (!equalsIgnoringCase(key.path, keyPath)) continue;
    for (auto it = key.values.rbegin(); it != key.values.rend(); ++it) {
      if (!it->name.empty() && equalsIgnoringCase(it->name, name)) return &*it;
    }
    return nullptr;
  }
  return nullptr;
}

void RegFile::set(std::string_view keyPath, RegValue value) {
  auto key = std::find_if(keys_.begin(), keys_.end(),
                          [&](const RegKey& k) { return equalsIgnoringCase(k.path, keyPath); });
  if (key == keys_.end()) {
    keys_.push_back({std::string(keyPath), {}});
    key = keys_.end() - 1;
  }
  auto& values = key->values;
  const std::string name = value.name;
  auto same = [&](const RegValue& v) {
    return !v.name.empty() && equalsIgnoringCase(v.name, name);
  };
  auto first = std::find_if(values.begin(), values.end(), same);
  if (first == values.end()) {
    values.push_back(std::move(value));
    return;
  }
  *first = std::move(value);
  values.erase(std::remove_if(first + 1, values.end(), same), values.end());
}

}  // namespace lumabord
