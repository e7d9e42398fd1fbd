// The signature design as the signature dialog's controls hold it, the 26 values it is
// stored as (their names, order and defaults), and how the controls shape the 3D lettering.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "compose/color.h"
#include "platform/text_facility.h"
#include "signature/font3d.h"

namespace lumabord {

inline constexpr int kSigAlignDefault = 4;   // "Bottom-Center"
inline constexpr int kSigDrawOnDefault = 0;  // "Outer Matte"
inline constexpr int kSigViewMax = 360;
inline constexpr int kSigBorderMax = 5;
inline constexpr int kSigAltitudeMax = 10;
// Beyond these a letter gap or font size only makes lettering too large to draw.
inline constexpr int kSigSpaceMax = 1000;
inline constexpr int kSigFontSizeMax = 1000;

// The signature dialog's controls. Each option button is held on its own, as it is stored:
// checking one unchecks its partner (check()), so two stored true flags resolve to the one
// read last.
struct SignatureSettings {
  // The preview label's font: Tahoma bold, 24 pixels high (18 points), ANSI, window text.
  FontRecord font = defaultFont();
  bool rdoGradient = true;
  bool rdoSolid = false;
  bool rdoVertical = true;
  bool rdoHorizontal = false;
  ColorValue cboBeginColor = kClWhite;
  ColorValue cboEndColor = kClGray;
  int cboTextEffect = 1;   // "Flying", "Raised", "Lowered"
  int cboShadowStyle = 1;  // "Sharp", "Diffuse", "None"
  ColorValue cboBorderColor = kClGray;
  int txtView = 135;
  int txtBorder = 1;
  std::string txtSig = "\xC2\xA9 2003 Your Name";  // UTF-8
  ColorValue cboSolid = kClWhite;
  bool rdoUseColor = true;
  bool rdoUseTexture = false;
  int cboTexture = 0;    // index into the texture list; outside it: no texture
  int cboDraw = 0;       // SigDrawOn: "Outer Matte", "Picture"
  int cboAlignText = 4;  // SigAlign: "Top-Left" ... "Bottom-Right"
  int txtSpace = 0;
  int txtAltitude = 3;
  bool chkAnti = true;

  static FontRecord defaultFont();
  // Sets one option button; a checked button unchecks its partner.
  static void check(bool& button, bool& partner, bool value);
  // The field bounds and list ranges the dialog keeps: view at most 360, border 0 to 5,
  // shadow height 0 to 10 (a negative depth mutilates the letters), the letter gap within
  // +-1000, "Draw on" and "Align Text" outside their lists back to their defaults.
  void clampToControls();

  friend bool operator==(const SignatureSettings&, const SignatureSettings&) = default;
};

enum class SignatureValueType { Bool, Integer, Color, String };

struct SignatureValueName {
  std::string_view name;  // after "Signature "
  SignatureValueType type;
};

// The values in the order they are read, and in the order they are written.
extern const std::array<SignatureValueName, 26> kSignatureReadingOrder;
extern const std::array<SignatureValueName, 26> kSignatureWritingOrder;

// A value as stored: booleans as 0 or 1 and colours as their 32-bit value, texts as UTF-8.
using SignatureStoredValue = std::variant<int32_t, std::string>;

[[nodiscard]] SignatureStoredValue storedSignatureValue(const SignatureSettings& settings,
                                                        std::string_view name);
// Applies a value read from the store to its control (low 8 bits of the character set and
// style; option buttons by check()). Unknown names and mismatched types change nothing.
void applySignatureValue(SignatureSettings& settings, std::string_view name,
                         const SignatureStoredValue& value);
// The value as `lumabord-cli signature` shows it: 0/1, a decimal number, a colour's text
// form or the text itself.
[[nodiscard]] std::string signatureValueText(const SignatureSettings& settings,
                                             const SignatureValueName& value);

// Copies the controls into the 3D settings (ApplyToFont3D, without the texture); shadow
// darkness and wall effect colour keep what font3d holds.
void ApplyToFont3D(const SignatureSettings& settings, TFont3D& font3d);

}  // namespace lumabord
