// The signature text's variables: every name, case, escape and malformed brace, and the 8-bit
// text the signature draws for a photo.
#include "signature/signature_variables.h"

#include <gtest/gtest.h>

#include "signature/signature.h"

namespace lumabord {
namespace {

PhotoFacts fullFacts() {
  PhotoFacts facts;
  facts.taken = PhotoDate{2019, 7, 4};
  facts.artist = "Ann Lee";
  facts.copyright = "\xC2\xA9 Ann Lee";
  facts.camera = "Canon EOS R5";
  facts.file = "IMG_0042";
  return facts;
}

TEST(SignatureVariables, ExpandsEveryNameAndLeavesTheRestAsWritten) {
  PhotoFacts sparse;
  sparse.file = "beach";
  const PhotoFacts full = fullFacts();
  struct Case {
    const char* text;
    const PhotoFacts& facts;
    const char* expected;
    bool variables;  // the text reads differently from photo to photo
  };
  const Case cases[] = {
      {"{year}", full, "2019", true},
      {"{date}", full, "2019-07-04", true},
      {"{artist}", full, "Ann Lee", true},
      {"{copyright}", full, "\xC2\xA9 Ann Lee", true},
      {"{camera}", full, "Canon EOS R5", true},
      {"{file}", full, "IMG_0042", true},
      {"\xC2\xA9 {YEAR} {Artist}", full, "\xC2\xA9 2019 Ann Lee", true},
      {"{file}{year}{date}", full, "IMG_004220192019-07-04", true},
      {"{place} {year}", full, "{place} 2019", true},                       // unknown name
      {"{artist}, {year} {file}", sparse, "{artist}, {year} beach", true},  // missing values
      {"{{year}} {{", full, "{year} {", false},
      {"{{{year}", full, "{2019", true},
      {"a}b }} {year}}", full, "a}b } 2019}", true},
      {"{year", full, "{year", false},  // unterminated
      {"{ {year}", full, "{ 2019", true},
      {"{place}{}", full, "{place}{}", false},
      {"", full, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(expandSignatureText(c.text, signatureValues(c.facts)), c.expected);
    EXPECT_EQ(hasSignatureVariables(c.text), c.variables);
  }
}

TEST(SignatureVariables, TheSignatureDrawsValuesInWindows1252WithQuestionMarksForTheRest) {
  SmoothText3D renderer;
  Signature signature(renderer);
  SignatureLettering lettering;
  lettering.text = "\xA9 {artist} {year} {{";  // 8-bit codes, as the window stores them
  signature.setLettering(lettering);
  EXPECT_TRUE(signature.usesPhotoFacts());
  PhotoFacts facts = fullFacts();
  facts.artist = "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD Jos\xC3\xA9";  // "Иван José"
  EXPECT_EQ(signature.textFor(facts), "\xA9 ???? Jos\xE9 2019 {");
  EXPECT_EQ(signature.textFor({}), "\xA9 {artist} {year} {");

  lettering.text = "\xA9 2003 {{plain}}";
  signature.setLettering(lettering);
  EXPECT_FALSE(signature.usesPhotoFacts());
  EXPECT_EQ(signature.textFor(facts), "\xA9 2003 {plain}");
}

}  // namespace
}  // namespace lumabord
