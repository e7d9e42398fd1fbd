// Integer text as the program's files write it: decimal, or hexadecimal after "$" or "0x".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumabord {

// Parses an optional sign followed by decimal digits, or "$"/"0x"/"0X" and hex digits.
// Leading blanks are skipped, nothing may follow the number. Hexadecimal values up to
// 0xFFFFFFFF wrap into 32 bits ("$FFFFFFFF" is -1); decimal values must fit in int32.
[[nodiscard]] std::optional<int32_t> parseInteger(std::string_view text);

}  // namespace lumabord
