// Colour values and their text form.
#include <gtest/gtest.h>

#include "base/error.h"
#include "compose/color.h"

namespace lumabord {
namespace {

TEST(ColorText, IdentifiersAndHexForm) {
  EXPECT_EQ(colorToText(0xC08040), "$00C08040");
  EXPECT_EQ(colorToText(0xFFFFFF), "clWhite");
  EXPECT_EQ(colorToText(0x80000000 + 15), "clBtnFace");
  EXPECT_EQ(colorToText(kClNone), "clNone");
  EXPECT_EQ(textToColor("clwhite"), 0xFFFFFFu);
  EXPECT_EQ(textToColor("$FF"), 0x0000FFu);  // red
  EXPECT_EQ(textToColor("CL3DDKSHADOW"), 0x80000015u);
  EXPECT_EQ(textToColor("8421504"), 0x808080u);
  for (const char* name : {"clBlack", "clMaroon", "clSkyBlue", "clMedGray", "clDefault"}) {
    EXPECT_EQ(colorToText(textToColor(name)), name);
  }
}

TEST(ColorText, FailureMessages) {
  auto message = [](const char* text) {
    try {
      (void)textToColor(text);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no failure");
  };
  EXPECT_EQ(message(""), "'' is not a valid integer value");
  EXPECT_EQ(message("mahogany"), "'mahogany' is not a valid integer value");
}

TEST(ColorText, StandardListAndRgb) {
  ASSERT_EQ(standardColors().size(), 16u);
  EXPECT_STREQ(standardColors().front().identifier, "clBlack");
  EXPECT_STREQ(standardColors().back().identifier, "clWhite");
  EXPECT_EQ(colorToRgb(0xC08040), (Rgb{0x40, 0x80, 0xC0}));
  EXPECT_EQ(colorToRgb(0x80000005), (Rgb{0xFF, 0xFF, 0xFF}));  // window colour
}

}  // namespace
}  // namespace lumabord
