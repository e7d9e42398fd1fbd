// The stored signature: the defaults of an empty store, the exact bytes and order of a saved
// design, the read-back across a restart, the option-button pairs and out-of-range values.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/quick_reg.h"
#include "app/signature_state.h"
#include "app_env.h"

namespace lumabord {
namespace {

using testing::AppEnvironment;

std::string path(const std::string& name) {
  return std::string(kSettingsKey) + "Signature " + name;
}

TEST(SignatureStore, AnEmptyStoreGivesTheDialogDefaults) {
  AppEnvironment env;
  const SignatureSettings s = LoadSignatureSettings();
  EXPECT_TRUE(s.rdoGradient && !s.rdoSolid && s.rdoVertical && !s.rdoHorizontal);
  EXPECT_EQ(s.cboBeginColor, kClWhite);
  EXPECT_EQ(s.cboEndColor, kClGray);
  EXPECT_EQ(s.cboTextEffect, 1);   // Raised
  EXPECT_EQ(s.cboShadowStyle, 1);  // Diffuse
  EXPECT_EQ(s.cboBorderColor, kClGray);
  EXPECT_EQ(s.txtBorder, 1);
  EXPECT_EQ(s.txtView, 135);
  EXPECT_EQ(s.txtSig, "\xC2\xA9 2003 Your Name");
  EXPECT_EQ(s.cboDraw, 0);
  EXPECT_EQ(s.cboAlignText, 4);
  EXPECT_EQ(s.txtSpace, 0);
  EXPECT_EQ(s.txtAltitude, 3);
  EXPECT_TRUE(s.chkAnti);
  EXPECT_EQ(s.font.name, "Tahoma");
  EXPECT_EQ(s.font.style, kFontBold);
  EXPECT_EQ(s.font.height, -24);
  EXPECT_EQ(s.font.size, 18);
}

TEST(SignatureStore, SaveWritesTheTwentySixValuesInOrderAndARestartReadsThemBack) {
  AppEnvironment env;
  SignatureSettings design;
  design.font.name = "DejaVu Serif";
  design.font.style = kFontItalic | kFontUnderline;
  design.font.setSize(30);
  SignatureSettings::check(design.rdoSolid, design.rdoGradient, true);
  SignatureSettings::check(design.rdoUseTexture, design.rdoUseColor, true);
  design.cboTexture = 2;
  design.cboAlignText = 2;
  design.txtSig = "Ann \"Nan\" Lee \xC2\xA9";
  SaveSignatureSettings(design);

  // Every value, in the writing order, with its type.
  std::string lines;
  const std::string text = ::lumabord::testing::readText(env.store());
  for (size_t at = text.find("\"Signature "); at != std::string::npos;
       at = text.find("\"Signature ", at + 1)) {
    lines += text.substr(at, text.find_first_of("\r\n", at) - at) + "\n";
  }
  EXPECT_EQ(lines,
            "\"Signature Gradiant\"=dword:00000000\n"
            "\"Signature Vertical\"=dword:00000001\n"
            "\"Signature Horizontal\"=dword:00000000\n"
            "\"Signature BeginColor\"=dword:00ffffff\n"
            "\"Signature EndColor\"=dword:00808080\n"
            "\"Signature TextEffect\"=dword:00000001\n"
            "\"Signature ShadowStyle\"=dword:00000001\n"
            "\"Signature BorderColor\"=dword:00808080\n"
            "\"Signature ShadowView\"=dword:00000087\n"
            "\"Signature BorderSize\"=dword:00000001\n"
            "\"Signature Text\"=\"Ann \\\"Nan\\\" Lee \xC2\xA9\"\n"
            "\"Signature Solid\"=dword:00000001\n"
            "\"Signature SolidColor\"=dword:00ffffff\n"
            "\"Signature UseSolid\"=dword:00000000\n"
            "\"Signature UseTexture\"=dword:00000001\n"
            "\"Signature Texture\"=dword:00000002\n"
            "\"Signature DrawOn\"=dword:00000000\n"
            "\"Signature Align\"=dword:00000002\n"
            "\"Signature Space\"=dword:00000000\n"
            "\"Signature Altitude\"=dword:00000003\n"
            "\"Signature Anti\"=dword:00000001\n"
            "\"Signature FontName\"=\"DejaVu Serif\"\n"
            "\"Signature FontCharSet\"=dword:00000000\n"
            "\"Signature FontSytle\"=dword:00000006\n"
            "\"Signature FontSize\"=dword:0000001e\n"
            "\"Signature FontColor\"=dword:80000008\n");
  EXPECT_EQ(LoadSignatureSettings(), design);
}

// Each stored option button is applied in reading order, a checked one unchecking its
// partner; values outside the controls' lists and bounds are brought back into them.
TEST(SignatureStore, StoredValuesAreReadInOrderAndKeptInsideTheControls) {
  struct Case {
    std::vector<std::pair<std::string, int32_t>> stored;
    std::function<bool(const SignatureSettings&)> holds;
    const char* what;
  };
  const std::vector<Case> cases = {
      {{{"Gradiant", 1}, {"Solid", 1}},
       [](const SignatureSettings& s) { return s.rdoSolid && !s.rdoGradient; },
       "Solid is read after Gradiant"},
      {{{"Vertical", 1}, {"Horizontal", 1}},
       [](const SignatureSettings& s) { return s.rdoHorizontal && !s.rdoVertical; },
       "Horizontal is read after Vertical"},
      {{{"Gradiant", 0}, {"Solid", 0}},
       [](const SignatureSettings& s) { return !s.rdoSolid && !s.rdoGradient; },
       "two false flags leave both unchecked"},
      {{{"UseSolid", 1}, {"UseTexture", 1}},
       [](const SignatureSettings& s) { return s.rdoUseTexture && !s.rdoUseColor; },
       "UseTexture is read after UseSolid"},
      {{{"Align", 6}},
       [](const SignatureSettings& s) { return s.cboAlignText == 4; },
       "Align past the list"},
      {{{"Align", -1}},
       [](const SignatureSettings& s) { return s.cboAlignText == 4; },
       "negative Align"},
      {{{"DrawOn", 2}},
       [](const SignatureSettings& s) { return s.cboDraw == 0; },
       "DrawOn past the list"},
      {{{"BorderSize", -2}, {"Altitude", -5}},
       [](const SignatureSettings& s) { return s.txtBorder == 0 && s.txtAltitude == 0; },
       "negative depths"},
      {{{"BorderSize", 9}, {"Altitude", 11}, {"ShadowView", 720}},
       [](const SignatureSettings& s) {
         return s.txtBorder == 5 && s.txtAltitude == 10 && s.txtView == 360;
       },
       "above the fields' bounds"},
      {{{"ShadowView", -45}},
       [](const SignatureSettings& s) { return s.txtView == -45; },
       "the view has no lower bound"},
      {{{"FontSize", 0}},
       [](const SignatureSettings& s) { return s.font.size == 18; },
       "a size of 0 keeps the default"},
      {{{"FontCharSet", 0x1A2}, {"FontSytle", 0x103}},
       [](const SignatureSettings& s) { return s.font.charset == 0xA2 && s.font.style == 3; },
       "character set and style use their low 8 bits"},
      {{{"Texture", 99}},
       [](const SignatureSettings& s) { return s.cboTexture == 99; },
       "a texture index is kept; it names no entry"},
  };
  for (const Case& c : cases) {
    AppEnvironment env;
    for (const auto& [name, value] : c.stored) RegWriteInteger(path(name), value, true);
    EXPECT_TRUE(c.holds(LoadSignatureSettings())) << c.what;
  }
  // A stored string where a number belongs is a missing value.
  AppEnvironment env;
  RegWriteString(path("Align"), "2", true);
  EXPECT_EQ(LoadSignatureSettings().cboAlignText, 4);
  SignatureSettings past;
  past.cboTexture = 1;
  EXPECT_EQ(signatureTextureName(past, ChoiceList{{"a.png"}, 0}), "");
  past.cboTexture = 0;
  EXPECT_EQ(signatureTextureName(past, ChoiceList{{"a.png"}, 0}), "a.png");
}

}  // namespace
}  // namespace lumabord
