// Lenient number reading for typed answers: separators of the user's locale, stray
// characters dropped, only the last decimal separator kept.
#pragma once

#include <string>
#include <string_view>

namespace lumabord {

struct NumberSeparators {
  std::string decimal = ".";
  std::string thousands;  // empty when the locale has none
};

// The separators of the user's LC_NUMERIC locale ("." and none when it cannot be read).
[[nodiscard]] NumberSeparators userNumberSeparators();

// Thousands separators become decimal separators, every minus sign makes the result
// negative, all but digits and the last decimal separator are dropped; empty text gives 0.
[[nodiscard]] double ParseNumberLenient(std::string_view text, const NumberSeparators& separators);

}  // namespace lumabord
