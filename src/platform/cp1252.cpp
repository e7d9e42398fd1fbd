// Windows-1252 conversion.
#include "platform/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace lumabord {
namespace {

// 0x80..0x9F; 0 marks the five codes the page leaves undefined.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint8_t toCode(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<uint8_t>(c);
  for (size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] != 0 && kHigh[i] == c) return static_cast<uint8_t>(0x80 + i);
  }
  return '?';
}

// Calls visit(code point, its bytes) for each character of utf8; a malformed byte comes alone
// and without a code point.
template <typename Visit>
void forEachCharacter(std::string_view utf8, Visit&& visit) {
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<uint8_t>(utf8[i]);
    int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= utf8.size()) {
      visit(std::nullopt, utf8.substr(i, 1));
      ++i;
      continue;
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<uint8_t>(utf8[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid) {
      visit(std::nullopt, utf8.substr(i, 1));
      ++i;
      continue;
    }
    visit(std::optional<char32_t>(c), utf8.substr(i, static_cast<size_t>(extra) + 1));
    i += static_cast<size_t>(extra) + 1;
  }
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u32string cp1252ToUnicode(std::span<const uint8_t> codes) {
  std::u32string out;
  for (uint8_t code : codes) out.push_back(cp1252ToUnicode(code));
  return out;
}

char32_t cp1252ToUnicode(uint8_t code) {
  if (code >= 0x80 && code < 0xA0 && kHigh[code - 0x80] != 0) return kHigh[code - 0x80];
  return code;
}

std::string utf8ToCp1252(std::string_view utf8) {
  std::string out;
  forEachCharacter(utf8, [&](std::optional<char32_t> c, std::string_view) {
    out += static_cast<char>(c ? toCode(*c) : '?');
  });
  return out;
}

std::vector<std::string> charactersOutsideCp1252(std::string_view utf8) {
  std::vector<std::string> outside;
  forEachCharacter(utf8, [&](std::optional<char32_t> c, std::string_view bytes) {
    if (c && (*c == '?' || toCode(*c) != '?')) return;
    char name[16];
    std::snprintf(name, sizeof name, "byte 0x%02X", static_cast<unsigned>(bytes[0]) & 0xFF);
    const std::string shown = c ? std::string(bytes) : std::string(name);
    if (std::find(outside.begin(), outside.end(), shown) == outside.end()) outside.push_back(shown);
  });
  return outside;
}

std::string cp1252ToUtf8(std::string_view codes) {
  std::string out;
  for (char c : codes) {
    const char32_t u = cp1252ToUnicode(static_cast<uint8_t>(c));
    appendUtf8(out, u);
  }
  return out;
}

}  // namespace lumabord
