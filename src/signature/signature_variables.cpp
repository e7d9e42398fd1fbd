// Filling the signature text's variables.
#include "signature/signature_variables.h"

#include <cstdio>

namespace lumabord {
namespace {

bool sameName(std::string_view typed, std::string_view name) {
  if (typed.size() != name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = typed[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != name[i]) return false;
  }
  return true;
}

// The value slot of a variable name, nullptr for a name the program does not know.
const std::string* valueOf(std::string_view name, const SignatureValues& values) {
  const std::pair<std::string_view, const std::string*> slots[] = {
      {"year", &values.year},           {"date", &values.date},     {"artist", &values.artist},
      {"copyright", &values.copyright}, {"camera", &values.camera}, {"file", &values.file}};
  for (const auto& [known, value] : slots) {
    if (sameName(name, known)) return value;
  }
  return nullptr;
}

// Walks text, handing each piece to `literal` and each known variable to `variable`.
template <typename Literal, typename Variable>
void scan(std::string_view text, const SignatureValues& values, Literal&& literal,
          Variable&& variable) {
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const bool doubled = i + 1 < text.size() && text[i + 1] == c;
    if ((c == '{' || c == '}') && doubled) {
      literal(text.substr(i, 1));
      i += 2;
      continue;
    }
    if (c == '{') {
      const size_t close = text.find_first_of("{}", i + 1);
      if (close != std::string_view::npos && text[close] == '}') {
        const std::string_view name = text.substr(i + 1, close - i - 1);
        if (const std::string* value = valueOf(name, values)) {
          variable(text.substr(i, close - i + 1), *value);
          i = close + 1;
          continue;
        }
      }
    }
    literal(text.substr(i, 1));
    ++i;
  }
}

}  // namespace

SignatureValues signatureValues(const PhotoFacts& facts) {
  SignatureValues values;
  if (facts.taken) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d", facts.taken->year);
    values.year = text;
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", facts.taken->year, facts.taken->month,
                  facts.taken->day);
    values.date = text;
  }
  values.artist = facts.artist;
  values.copyright = facts.copyright;
  values.camera = facts.camera;
  values.file = facts.file;
  return values;
}

bool hasSignatureVariables(std::string_view text) {
  bool found = false;
  scan(
      text, SignatureValues{}, [](std::string_view) {},
      [&](std::string_view, const std::string&) { found = true; });
  return found;
}

std::string expandSignatureText(std::string_view text, const SignatureValues& values) {
  std::string out;
  out.reserve(text.size());
  scan(
      text, values, [&](std::string_view piece) { out += piece; },
      [&](std::string_view written, const std::string& value) {
        out += value.empty() ? written : std::string_view(value);
      });
  return out;
}

}  // namespace lumabord
