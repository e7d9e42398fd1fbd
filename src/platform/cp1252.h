// Windows-1252, the 8-bit code page of signature texts and glyph slots, to and from UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumabord {

// The Unicode code point of an 8-bit code (undefined codes map to themselves).
[[nodiscard]] char32_t cp1252ToUnicode(uint8_t code);
[[nodiscard]] std::u32string cp1252ToUnicode(std::span<const uint8_t> codes);
// Appends a code point (below 0x110000) as UTF-8.
void appendUtf8(std::string& out, char32_t c);
// UTF-8 text to 8-bit codes; characters outside the code page become '?'.
[[nodiscard]] std::string utf8ToCp1252(std::string_view utf8);
[[nodiscard]] std::string cp1252ToUtf8(std::string_view codes);
// The characters of utf8 that the code page lacks, each once, in order of first appearance
// and as UTF-8 ("U+FFFD" style names for malformed bytes).
[[nodiscard]] std::vector<std::string> charactersOutsideCp1252(std::string_view utf8);

}  // namespace lumabord
