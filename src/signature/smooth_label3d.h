// TSmoothLabel3D without a window system: the caption's auto-size bounds, its anchor and
// the "&" mnemonic handling, painted with the 3D renderer onto an image the widget supplies.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/image.h"
#include "compose/color.h"
#include "platform/text_facility.h"
#include "signature/font3d.h"
#include "signature/smooth_text3d.h"

namespace lumabord {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

struct LabelBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const LabelBounds&, const LabelBounds&) = default;
};

// The caption as shown: each single "&" removed, "&&" turned into one "&".
[[nodiscard]] std::string stripMnemonics(std::string_view caption);

struct MnemonicChar {
  char code = 0;
  bool underlined = false;
  friend bool operator==(const MnemonicChar&, const MnemonicChar&) = default;
};
// The characters drawn one at a time for a caption holding "&": the character after a
// single "&" is underlined, a trailing single "&" draws nothing.
[[nodiscard]] std::vector<MnemonicChar> mnemonicChars(std::string_view caption);

// The bounds after auto-sizing to a text of width x height: the left edge stays for
// left-justified text, the right edge for right-justified, the centre for centred text.
[[nodiscard]] LabelBounds autoSizedBounds(const LabelBounds& old, TAlignment alignment, int width,
                                          int height);

struct LabelAnchor {
  int x = 0;
  int y = 0;
  int mode = kModeTopLeft;
  friend bool operator==(const LabelAnchor&, const LabelAnchor&) = default;
};
// Where the caption is drawn within a label `labelWidth` wide, for a text `textHeight` high.
[[nodiscard]] LabelAnchor labelAnchor(TAlignment alignment, int labelWidth, int textHeight);

class TSmoothLabel3D {
 public:
  // Owns a TFont3D with antialiasing on; its font is "Arial".
  TSmoothLabel3D();
  TSmoothLabel3D(const TSmoothLabel3D&) = delete;
  TSmoothLabel3D& operator=(const TSmoothLabel3D&) = delete;

  // Called whenever the label needs painting again (its TFont3D changed).
  void setOnRepaint(ChangeListener listener) { onRepaint_ = std::move(listener); }

  TFont3D& Font3D() { return *font3d_; }
  // Stores the reference; the label paints with it from now on. nullptr returns to the
  // label's own settings.
  void setFont3D(TFont3D* font3d);

  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool on) { autoSize_ = on; }
  bool wordWrap() const { return wordWrap_; }
  // Switching word wrap on switches auto-size off.
  void setWordWrap(bool on);

  std::string caption;  // 8-bit codes
  FontRecord font;
  TAlignment alignment = TAlignment::taLeftJustify;
  bool alignedToParent = false;  // aligned labels never auto-size
  bool transparent = false;
  ColorValue color = 0x8000000F;  // button face
  bool enabled = true;
  bool showAccelChar = true;
  LabelBounds bounds;

  // Auto-sizes the bounds to the 3D caption when auto-size applies.
  void adjustBounds(SmoothText3D& renderer);
  // Paints onto `surface`, whose (0, 0) is the label's top-left. A transparent label keeps
  // what the surface holds behind the text.
  void paint(Image& surface, SmoothText3D& renderer,
             const SystemColors& colors = defaultSystemColors());

 private:
  void listen();

  std::unique_ptr<TFont3D> own_ = std::make_unique<TFont3D>();
  TFont3D* font3d_ = own_.get();
  bool autoSize_ = true;
  bool wordWrap_ = false;
  ChangeListener onRepaint_;
};

}  // namespace lumabord
