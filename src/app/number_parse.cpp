// ParseNumberLenient and the locale's separators.
#include "app/number_parse.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace lumabord {

NumberSeparators userNumberSeparators() {
  NumberSeparators separators;
  const locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return separators;
  const char* decimal = nl_langinfo_l(RADIXCHAR, locale);
  const char* thousands = nl_langinfo_l(THOUSEP, locale);
  if (decimal && *decimal) separators.decimal = decimal;
  if (thousands) separators.thousands = thousands;
  if (separators.thousands == separators.decimal) separators.thousands.clear();
  freelocale(locale);
  return separators;
}

double ParseNumberLenient(std::string_view text, const NumberSeparators& separators) {
  const std::string_view decimal =
      separators.decimal.empty() ? std::string_view(".") : std::string_view(separators.decimal);
  const std::string_view thousands = separators.thousands;
  // Steps 1 to 3 in one pass: digits stay, both separators count as decimal separators,
  // minus signs only set the sign, everything else goes.
  std::string digits;
  std::vector<size_t> separatorPositions;
  bool negative = false;
  for (size_t i = 0; i < text.size();) {
    if (text.substr(i, decimal.size()) == decimal) {
      separatorPositions.push_back(digits.size());
      digits += '.';
      i += decimal.size();
    } else if (!thousands.empty() && text.substr(i, thousands.size()) == thousands) {
      separatorPositions.push_back(digits.size());
      digits += '.';
      i += thousands.size();
    } else {
      const char c = text[i++];
      if (c == '-') negative = true;
      if (c >= '0' && c <= '9') digits += c;
    }
  }
  // Only the last decimal separator stays.
  for (size_t n = separatorPositions.size(); n > 1; --n) digits.erase(separatorPositions[n - 2], 1);
  if (digits.empty()) return 0.0;
  if (digits.front() == '.') digits.insert(digits.begin(), '0');
  if (digits.back() == '.') digits += '0';
  double value = 0.0;
  const std::errc error = std::from_chars(digits.data(), digits.data() + digits.size(), value).ec;
  if (error == std::errc::result_out_of_range) {
    // Too large, or a fraction too small for a double.
    const size_t point = digits.find('.');
    const bool large = digits.find_first_not_of('0') < point;
    value = large ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace lumabord
