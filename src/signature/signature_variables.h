// The signature text's variables, filled per photo: {year}, {date} (YYYY-MM-DD), {artist},
// {copyright}, {camera} and {file} (the name without extension). Names are matched without
// regard to case. A name the program does not know, and a variable whose photo does not
// tell its value, stay as written; "{{" writes "{" and "}}" writes "}" (so "{{year}}" shows
// "{year}"); a lone "}" and a "{" without its "}" stay as they are.
#pragma once

#include <string>
#include <string_view>

#include "codecs/photo_facts.h"

namespace lumabord {

// The variables' values for one photo, in the encoding of the text they go into; an empty
// value is missing.
struct SignatureValues {
  std::string year;
  std::string date;
  std::string artist;
  std::string copyright;
  std::string camera;
  std::string file;
};

// The values the facts give, in UTF-8.
[[nodiscard]] SignatureValues signatureValues(const PhotoFacts& facts);

// Whether text names a variable, so that it reads differently from photo to photo.
[[nodiscard]] bool hasSignatureVariables(std::string_view text);

// text with its variables filled. Only ASCII characters have a meaning here, so the text
// may be UTF-8 or 8-bit codes, as long as the values are in the same encoding.
[[nodiscard]] std::string expandSignatureText(std::string_view text, const SignatureValues& values);

}  // namespace lumabord
