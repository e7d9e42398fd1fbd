// Lenient reading of typed numbers under point and comma locales.
#include <gtest/gtest.h>

#include <cmath>

#include "app/number_parse.h"

namespace lumabord {
namespace {

const NumberSeparators kPoint{".", ","};
const NumberSeparators kComma{",", "."};

TEST(LenientNumber, AnswersOfTheShadowSizePrompt) {
  EXPECT_EQ(ParseNumberLenient("12", kPoint), 12.0);
  EXPECT_EQ(std::trunc(ParseNumberLenient("7,5", kComma)), 7.0);
  EXPECT_EQ(ParseNumberLenient("7,5", kComma), 7.5);
  EXPECT_EQ(std::trunc(ParseNumberLenient("8.9", kPoint)), 8.0);
  EXPECT_EQ(ParseNumberLenient("-4", kPoint), -4.0);
  EXPECT_EQ(std::trunc(ParseNumberLenient("-4.7", kPoint)), -4.0);
  EXPECT_EQ(ParseNumberLenient("abc", kPoint), 0.0);
  EXPECT_EQ(ParseNumberLenient("", kPoint), 0.0);
  EXPECT_EQ(ParseNumberLenient("1.2.5", kPoint), 12.5);
}

TEST(LenientNumber, SeparatorsStrayCharactersAndSigns) {
  EXPECT_EQ(ParseNumberLenient("1,234", kPoint), 1.234);  // thousands become decimal
  EXPECT_EQ(ParseNumberLenient("8.9", kComma), 8.9);
  EXPECT_EQ(ParseNumberLenient("12px", kPoint), 12.0);
  EXPECT_EQ(ParseNumberLenient(".5", kPoint), 0.5);
  EXPECT_EQ(ParseNumberLenient("5.", kPoint), 5.0);
  EXPECT_EQ(ParseNumberLenient("3-", kPoint), -3.0);
  EXPECT_EQ(ParseNumberLenient("--3", kPoint), -3.0);
  EXPECT_EQ(ParseNumberLenient("-", kPoint), 0.0);
  EXPECT_EQ(ParseNumberLenient("1\xE2\x80\xAF"
                               "000,5",
                               {",", "\xE2\x80\xAF"}),
            1000.5);
  EXPECT_TRUE(std::isinf(ParseNumberLenient(std::string(400, '9'), kPoint)));
  EXPECT_EQ(ParseNumberLenient("." + std::string(400, '0') + "1", kPoint), 0.0);
}

}  // namespace
}  // namespace lumabord
