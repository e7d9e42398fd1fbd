// String measuring and composition of the 3D lettering.
#include "signature/smooth_text3d.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/checked_math.h"
#include "base/error.h"
#include "base/rounding.h"
#include "signature/glyph_render.h"

namespace lumabord {
namespace {

// Fonts kept open for rendering; a run rarely uses more than a handful.
constexpr size_t kOpenFontsMax = 16;

std::string fontKey(const FontRecord& font) {
  return font.name + '\n' + std::to_string(font.size) + ',' + std::to_string(font.height) + ',' +
         std::to_string(font.style) + ',' + std::to_string(font.pitch) + ',' +
         std::to_string(font.pixelsPerInch);
}

// A gradient colour as stored: low byte red, then green, then blue.
Rgb rawColor(ColorValue value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value >> 16)};
}

uint8_t effectChannel(uint8_t channel, double effect) {
  return static_cast<uint8_t>(std::min<int64_t>(255, roundHalfEven(channel / effect)));
}

Rgb effectColor(Rgb c, double effect) {
  return {effectChannel(c.r, effect), effectChannel(c.g, effect), effectChannel(c.b, effect)};
}

int checkedInt(int64_t value, const char* what) {
  if (value > Limits::kMaxSide || value < -Limits::kMaxSide) {
    fail("The %s of the lettering, %lld pixels, is beyond the limit of %d pixels", what,
         static_cast<long long>(value), Limits::kMaxSide);
  }
  return static_cast<int>(value);
}

}  // namespace

SmoothText3D::SmoothText3D(const TextFacility& facility, const SystemColors& systemColors)
    : facility_(facility), systemColors_(systemColors) {}

SmoothText3D& smoothText3D() {
  static SmoothText3D renderer;
  return renderer;
}

const TextFont& SmoothText3D::openFont(const FontRecord& font) {
  const std::string key = fontKey(font);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) it = fonts_.emplace(key, facility_.createFont(font)).first;
  return *it->second;
}

TSmoothZeichensatz& SmoothText3D::prepare(const FontRecord& font, TFont3D& font3d,
                                          std::string_view text) {
  TSmoothZeichensatz& row = cache_.row(cache_.findOrCreateRow(font, font3d));
  renderMissing(row, font, font3d, text);
  return row;
}

void SmoothText3D::renderMissing(TSmoothZeichensatz& row, const FontRecord& font, TFont3D& font3d,
                                 std::string_view text) {
  for (char c : text) {
    const auto code = static_cast<uint8_t>(c);
    if (!row.glyph(code).empty()) continue;
    if (fonts_.size() + 2 > kOpenFontsMax) fonts_.clear();
    const TextFont& plain = openFont(font);
    const int s = SupersampleFactor(font3d.antialiasing(), plain.textHeight());
    const TextFont& big = s == 1 ? plain : openFont(scaledFont(font, s));
    row.setGlyph(code, renderGlyphCell(plain, big, font, font3d, code, s));
    row.shape.charOverlap = font3d.charOverlap;
  }
}

int SmoothText3D::textWidth(const FontRecord& font, std::string_view text, TFont3D& font3d) {
  if (text.empty()) return 0;
  TSmoothZeichensatz& row = prepare(font, font3d, text);
  int64_t width = 0;
  for (char c : text) width += row.glyph(static_cast<uint8_t>(c)).width + font3d.characterMargin();
  width += static_cast<int64_t>(text.size() - 1) * font3d.charOverlap;
  return checkedInt(width, "width");
}

int SmoothText3D::textHeight(const FontRecord& font, std::string_view text, TFont3D& font3d) {
  if (text.empty()) text = "X";
  TSmoothZeichensatz& row = prepare(font, font3d, text);
  double sum = 0;
  for (char c : text) sum += row.glyph(static_cast<uint8_t>(c)).height;
  return static_cast<int>(roundHalfEven(sum / static_cast<double>(text.size())));
}

std::shared_ptr<const TextStamp> SmoothText3D::stamp(const FontRecord& font, TFont3D& font3d,
                                                     std::string_view text) {
  if (text.empty()) return nullptr;
  const int hs = textHeight(font, text, font3d);
  TSmoothZeichensatz& row = prepare(font, font3d, text);
  int64_t wsWide = 0;
  for (char c : text) wsWide += row.glyph(static_cast<uint8_t>(c)).width + font3d.characterMargin();
  const int ws = checkedInt(wsWide, "width");
  if (ws <= 0 || hs <= 0) return nullptr;
  if (!pixelCountAllowed(ws, hs)) {
    fail("The lettering, %d x %d pixels, is beyond the limit of %llu pixels", ws, hs,
         static_cast<unsigned long long>(Limits::kMaxPixels));
  }
  auto made = std::make_shared<TextStamp>();
  made->width_ = ws;
  made->height_ = hs;
  made->span_ = wsWide + static_cast<int64_t>(text.size() - 1) * font3d.charOverlap;
  compose(row, font3d, text, *made);
  return made;
}

void SmoothText3D::drawText(TextCanvas& canvas, int x, int y, int mode, TFont3D& font3d,
                            std::string_view text) {
  const std::shared_ptr<const TextStamp> made = stamp(canvas.font, font3d, text);
  if (!made) return;
  int64_t left = x;
  int64_t top = y;
  if (mode == kModeRight) {
    left -= made->span();
  } else if (mode == kModeCentre) {
    left -= made->span() / 2;
    top -= made->height() / 2;
  }

  // The canvas rectangle this drawing touches, clipped to the canvas.
  Image& target = canvas.image;
  const int64_t clipLeft = std::max<int64_t>(left, 0);
  const int64_t clipTop = std::max<int64_t>(top, 0);
  const int64_t clipRight = std::min<int64_t>(left + made->width(), target.width());
  const int64_t clipBottom = std::min<int64_t>(top + made->height(), target.height());
  if (clipLeft >= clipRight || clipTop >= clipBottom) return;

  // A solid brush is the ground the lettering is composed over.
  const Rgb brush = colorToRgb(canvas.brushColor, systemColors_);
  for (int64_t cy = clipTop; cy < clipBottom; ++cy) {
    uint8_t* pixels = target.row(static_cast<int>(cy)) + 3 * clipLeft;
    if (canvas.brushStyle == BrushStyle::Solid) {
      for (int64_t cx = clipLeft; cx < clipRight; ++cx) {
        uint8_t* d = pixels + 3 * (cx - clipLeft);
        d[0] = brush.b;
        d[1] = brush.g;
        d[2] = brush.r;
      }
    }
    made->lay(static_cast<int>(cy - top), static_cast<int>(clipLeft - left),
              static_cast<int>(clipRight - left), pixels);
  }
}

void SmoothText3D::compose(TSmoothZeichensatz& row, const TFont3D& font3d, std::string_view text,
                           TextStamp& out) {
  const int ws = out.width_;
  const int hs = out.height_;
  const size_t pixels = static_cast<size_t>(ws) * static_cast<size_t>(hs);
  std::vector<uint8_t>& mask = out.mask_;  // per pixel: shadow, wall, face
  mask.assign(3 * pixels, 0);

  // Lays every cell at its pen position; columns outside the area (a very negative
  // character margin) are clipped.
  auto layCells = [&](auto&& apply) {
    int64_t px = 0;
    for (char c : text) {
      const GlyphCell& cell = row.glyph(static_cast<uint8_t>(c));
      const int rows = std::min(cell.height, hs);
      const int64_t first = std::max<int64_t>(0, -px);
      const int64_t last = std::min<int64_t>(cell.width, ws - px);
      for (int r = 0; r < rows && first < last; ++r) {
        const uint8_t* src = cell.data.data() + static_cast<size_t>(r) * cell.width * 3;
        uint8_t* dst = mask.data() + static_cast<size_t>(r) * ws * 3;
        for (int64_t col = first; col < last; ++col) apply(src + 3 * col, dst + 3 * (px + col));
      }
      px += cell.width + font3d.charOverlap + font3d.characterMargin();
    }
  };
  layCells([](const uint8_t* src, uint8_t* dst) { dst[0] = std::max(dst[0], src[0]); });
  layCells([](const uint8_t* src, uint8_t* dst) {
    if (src[1] != 0) dst[1] = src[1];
    if (src[2] != 0) dst[2] = src[2];
  });
  out.darkness_ = 255 - static_cast<unsigned>(std::clamp(font3d.shadow().color(), 0, 255));

  const Rgb front = colorToRgb(font3d.frontColor(), systemColors_);
  const Rgb wall = colorToRgb(font3d.border().color(), systemColors_);
  const double effect = font3d.border().effectColor();
  const Image& texture = font3d.bitmap();
  const bool textured = !texture.empty();
  const bool gradient = !textured && font3d.gradient().active();
  const bool horizontal = font3d.gradient().kind() == TSmoothFontGradientKind::sfgkHorizontal;

  // Gradient face (and effect wall) colours along the gradient's axis, begin to end over
  // the whole string rather than per letter.
  std::vector<Rgb> ramp;
  std::vector<Rgb> rampWall;
  if (gradient) {
    const Rgb begin = rawColor(font3d.gradient().beginColor());
    const Rgb end = rawColor(font3d.gradient().endColor());
    const int count = horizontal ? ws : hs;
    ramp.resize(static_cast<size_t>(count));
    rampWall.resize(static_cast<size_t>(count));
    auto channel = [&](int q, uint8_t b, uint8_t e) {
      if (count <= 1) return b;
      const double t = static_cast<double>(q) / (count - 1);
      return static_cast<uint8_t>(roundHalfEven(t * (e - b)) + b);
    };
    for (int q = 0; q < count; ++q) {
      Rgb c{channel(q, begin.r, end.r), channel(q, begin.g, end.g), channel(q, begin.b, end.b)};
      ramp[static_cast<size_t>(q)] = c;
      rampWall[static_cast<size_t>(q)] = effect > 0 ? effectColor(c, effect) : wall;
    }
  }

  out.face_.assign(pixels, front);
  out.wall_.assign(pixels, wall);
  for (int cy = 0; cy < hs; ++cy) {
    for (int cx = 0; cx < ws; ++cx) {
      const size_t i = static_cast<size_t>(cy) * static_cast<size_t>(ws) + static_cast<size_t>(cx);
      uint8_t* m = mask.data() + 3 * i;
      // Where one letter's face overlaps its neighbour's wall the face lies on top.
      m[1] = static_cast<uint8_t>(std::min<unsigned>(m[1], 255u - m[2]));
      if (m[1] == 0 && m[2] == 0) continue;
      if (textured) {
        const Rgb texel = texture.pixel(cx % texture.width(), cy % texture.height());
        if (m[2] > 0) out.face_[i] = texel;
        if (effect > 0 && m[1] > 0) out.wall_[i] = effectColor(texel, effect);
      } else if (gradient) {
        const size_t q = static_cast<size_t>(horizontal ? cx : cy);
        out.face_[i] = ramp[q];
        out.wall_[i] = rampWall[q];
      }
    }
  }
}

void TextStamp::lay(int row, int x0, int x1, uint8_t* pixels) const {
  const size_t base = static_cast<size_t>(row) * static_cast<size_t>(width_);
  for (int x = x0; x < x1; ++x, pixels += 3) {
    const size_t i = base + static_cast<size_t>(x);
    const uint8_t* m = mask_.data() + 3 * i;
    uint8_t* d = pixels;
    const unsigned c = m[0];
    if (c != 0) {
      for (size_t k = 0; k < 3; ++k) {
        const unsigned v = d[k];
        d[k] = static_cast<uint8_t>(c == 255 ? v * darkness_ / 255
                                             : (v * c * darkness_ / 255 + v * (255 - c)) / 255);
      }
    }
    const unsigned g = m[1];
    const unsigned f = m[2];
    if (f == 0 && g == 0) continue;
    const Rgb& fc = face_[i];
    const Rgb& wc = wall_[i];
    if (f == 255) {
      d[0] = fc.b;
      d[1] = fc.g;
      d[2] = fc.r;
    } else if (g == 255) {
      d[0] = wc.b;
      d[1] = wc.g;
      d[2] = wc.r;
    } else {
      const unsigned t = 255 - f - g;
      d[0] = static_cast<uint8_t>((t * d[0] + f * fc.b + g * wc.b) / 255);
      d[1] = static_cast<uint8_t>((t * d[1] + f * fc.g + g * wc.g) / 255);
      d[2] = static_cast<uint8_t>((t * d[2] + f * fc.r + g * wc.r) / 255);
    }
  }
}

}  // namespace lumabord
