// The label's paint rules.
#include "signature/smooth_label3d.h"

#include <algorithm>

#include "base/rounding.h"

namespace lumabord {

std::string stripMnemonics(std::string_view caption) {
  std::string shown;
  for (const MnemonicChar& c : mnemonicChars(caption)) shown += c.code;
  return shown;
}

std::vector<MnemonicChar> mnemonicChars(std::string_view caption) {
  std::vector<MnemonicChar> chars;
  bool underlineNext = false;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && !underlineNext) {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        chars.push_back({'&', false});
        ++i;
      } else {
        underlineNext = true;
      }
      continue;
    }
    chars.push_back({caption[i], underlineNext});
    underlineNext = false;
  }
  return chars;
}

LabelBounds autoSizedBounds(const LabelBounds& old, TAlignment alignment, int width, int height) {
  LabelBounds bounds = old;
  bounds.width = width;
  bounds.height = height;
  if (alignment == TAlignment::taRightJustify) {
    bounds.left = old.left + old.width - width;
  } else if (alignment == TAlignment::taCenter) {
    bounds.left = old.left + (old.width - width) / 2;
  }
  return bounds;
}

LabelAnchor labelAnchor(TAlignment alignment, int labelWidth, int textHeight) {
  switch (alignment) {
    case TAlignment::taRightJustify:
      return {labelWidth, 0, kModeRight};
    case TAlignment::taCenter:
      return {static_cast<int>(roundHalfEven(labelWidth / 2.0)), textHeight / 2, kModeCentre};
    case TAlignment::taLeftJustify:
      break;
  }
  return {0, 0, kModeTopLeft};
}

TSmoothLabel3D::TSmoothLabel3D() {
  own_->setAntialiasing(true);
  font.name = "Arial";
  listen();
}

void TSmoothLabel3D::listen() {
  font3d_->setOnChange([this] {
    if (onRepaint_) onRepaint_();
  });
}

void TSmoothLabel3D::setFont3D(TFont3D* font3d) {
  font3d_ = font3d != nullptr ? font3d : own_.get();
  if (onRepaint_) onRepaint_();
}

void TSmoothLabel3D::setWordWrap(bool on) {
  wordWrap_ = on;
  if (on) autoSize_ = false;
}

void TSmoothLabel3D::adjustBounds(SmoothText3D& renderer) {
  if (!autoSize_ || alignedToParent || wordWrap_) return;
  const std::string shown = stripMnemonics(caption);
  bounds = autoSizedBounds(bounds, alignment, renderer.textWidth(font, shown, *font3d_),
                           renderer.textHeight(font, shown, *font3d_));
}

void TSmoothLabel3D::paint(Image& surface, SmoothText3D& renderer, const SystemColors& colors) {
  adjustBounds(renderer);
  TextCanvas canvas{surface, font, BrushStyle::Clear, color};
  if (!transparent) {
    const Rgb fill = colorToRgb(color, colors);
    const int width = std::min(bounds.width, surface.width());
    const int height = std::min(bounds.height, surface.height());
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) surface.setPixel(x, y, fill);
    }
    canvas.brushStyle = BrushStyle::Solid;
  }
  if (!enabled) return;
  TFont3D& font3d = *font3d_;
  const int textHeight = renderer.textHeight(font, stripMnemonics(caption), font3d);
  const LabelAnchor anchor = labelAnchor(alignment, bounds.width, textHeight);
  if (!showAccelChar || caption.find('&') == std::string::npos) {
    renderer.drawText(canvas, anchor.x, anchor.y, anchor.mode, font3d, caption);
    return;
  }
  // One character at a time, each advancing the pen as it would inside the whole string,
  // so that the line fills the auto-sized bounds; the start follows the alignment.
  const std::vector<MnemonicChar> chars = mnemonicChars(caption);
  FontRecord underlined = font;
  underlined.style |= kFontUnderline;
  std::vector<int> advances;
  int64_t line = 0;
  for (const MnemonicChar& c : chars) {
    const FontRecord& f = c.underlined ? underlined : font;
    const int advance = renderer.textWidth(f, std::string(1, c.code), font3d) + font3d.charOverlap;
    advances.push_back(advance);
    line += advance;
  }
  if (!chars.empty()) line -= font3d.charOverlap;
  int64_t x = anchor.x;
  int y = anchor.y;
  if (anchor.mode == kModeRight) x -= line;
  if (anchor.mode == kModeCentre) {
    x -= line / 2;
    y -= textHeight / 2;
  }
  for (size_t i = 0; i < chars.size(); ++i) {
    canvas.font = chars[i].underlined ? underlined : font;
    renderer.drawText(canvas, static_cast<int>(x), y, kModeTopLeft, font3d,
                      std::string(1, chars[i].code));
    x += advances[i];
  }
}

}  // namespace lumabord
