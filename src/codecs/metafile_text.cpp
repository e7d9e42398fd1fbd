// Text of the metafile canvas: the current font opened through the text facility at its
// height in pixels, characters placed along a baseline turned by the font's escapement,
// aligned on the reference point as the text-align bits say, over the background box when
// the background is opaque, and clipped like all drawing.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "codecs/metafile_canvas.h"

namespace lumabord {
namespace {

enum TextAlign : uint32_t {
  kUpdatePosition = 1,
  kAlignRight = 2,
  kAlignCentre = 6,
  kAlignBottom = 8,
  kAlignBaseline = 24,
};

// The tallest text drawn, in pixels: beyond it one glyph's bitmap runs to megabytes.
constexpr int kMaxTextPixels = 4000;
// Fonts and glyph runs kept for reuse; past these the caches start over.
constexpr size_t kMaxFonts = 64;
constexpr size_t kMaxGlyphRuns = size_t{1} << 22;

}  // namespace

const TextFont& MetafileCanvas::openFont(int pixelHeight) {
  const MetaFont& f = state_.font;
  const auto key = std::make_tuple(f.face, pixelHeight, f.weight >= 600 ? 700 : 400, f.italic);
  if (auto it = fonts_.find(key); it != fonts_.end()) return *it->second;
  if (fonts_.size() >= kMaxFonts) {
    glyphs_.clear();
    glyphRuns_ = 0;
    fonts_.clear();
  }
  FontRecord record;
  record.name = f.face.empty() ? "Arial" : f.face;
  record.height = pixelHeight;
  record.size = 12;  // the default size, when the height is 0
  record.style =
      static_cast<uint8_t>((f.weight >= 600 ? kFontBold : 0) | (f.italic ? kFontItalic : 0));
  spend(uint64_t{1} << 12);  // opening a face reads its file
  return *fonts_.emplace(key, defaultTextFacility().createFont(record)).first->second;
}

const TurnedGlyph& MetafileCanvas::glyph(const TextFont& font, char32_t code, int escapement) {
  const auto key = std::make_tuple(&font, code, escapement);
  if (auto it = glyphs_.find(key); it != glyphs_.end()) return it->second;
  if (glyphRuns_ > kMaxGlyphRuns) {
    glyphs_.clear();
    glyphRuns_ = 0;
  }
  TurnedGlyph g = font.turnedGlyph(code, escapement * std::numbers::pi / 1800);
  spend(g.work + g.runs.size());
  glyphRuns_ += g.runs.size();
  return glyphs_.emplace(key, std::move(g)).first->second;
}

void MetafileCanvas::text(const MetaText& t) {
  if (t.chars.empty() && !t.opaqueRect) return;
  const MetaFont& f = state_.font;
  const MetaPoint unit = unitPixels();
  const double height = f.height * unit.y;
  if (!(std::abs(height) <= kMaxTextPixels))
    fail("Cannot load image %s: a text of %.0f pixels is beyond the limit of %d", name_.c_str(),
         std::abs(height), kMaxTextPixels);
  // Heights under a pixel round away from 0, which would mean the default size.
  const int pixels =
      f.height == 0
          ? 0
          : static_cast<int>(std::copysign(std::max(1.0, std::round(std::abs(height))), height));
  const TextFont& font = openFont(pixels);
  const int escapement = static_cast<int>(std::fmod(std::round(f.escapement), 3600.0));
  const double angle = escapement * std::numbers::pi / 1800;
  // Along the baseline, and down from it, on the picture.
  const MetaPoint along{std::cos(angle), -std::sin(angle)};
  const MetaPoint down{std::sin(angle), std::cos(angle)};

  std::vector<double> offsets;  // of each character's pen position from the first
  double width = 0;
  for (size_t i = 0; i < t.chars.size(); ++i) {
    offsets.push_back(width);
    width += t.dx.size() == t.chars.size() ? t.dx[i] * unit.x
                                           : glyph(font, t.chars[i], escapement).advance;
  }

  const bool fromPosition = (state_.textAlign & kUpdatePosition) != 0;
  const MetaPoint reference = toPixels(fromPosition ? state_.position : t.reference);
  const uint32_t horizontal = state_.textAlign & kAlignCentre;
  const double shift = horizontal == kAlignCentre  ? -width / 2
                       : horizontal == kAlignRight ? -width
                                                   : 0;
  const uint32_t vertical = state_.textAlign & kAlignBaseline;
  const double drop = vertical == kAlignBaseline ? 0
                      : vertical == kAlignBottom ? -font.descent()
                                                 : font.ascent();
  const MetaPoint origin{reference.x + along.x * shift + down.x * drop,
                         reference.y + along.y * shift + down.y * drop};
  const auto at = [&](double s, double d) {
    return MetaPoint{origin.x + along.x * s + down.x * d, origin.y + along.y * s + down.y * d};
  };
  const auto fillCopy = [&](const std::vector<Path>& paths, Rgb colour, const MetaClip* limit) {
    forEachSpan(paths, false, [&](int y, int xs, int xe) {
      for (int x = xs; x < xe; ++x) {
        if (!limit || limit->contains(x, y)) plotCopy(x, y, colour);
      }
    });
  };

  const MetaRect rect{toPixels(t.rect.a), toPixels(t.rect.b)};
  if (t.opaqueRect) {
    fillCopy({{rect.a, {rect.b.x, rect.a.y}, rect.b, {rect.a.x, rect.b.y}}}, state_.background,
             nullptr);
  }
  // The rectangle of the clipped option limits the text and its background alone.
  const std::shared_ptr<const MetaClip> limit = t.clipToRect ? boxClip(rect) : nullptr;
  if (state_.opaqueBackground && width != 0) {
    fillCopy({{at(0, -font.ascent()), at(width, -font.ascent()), at(width, font.descent()),
               at(0, font.descent())}},
             state_.background, limit.get());
  }
  const Rgb colour = state_.textColour;
  for (size_t i = 0; i < t.chars.size(); ++i) {
    const TurnedGlyph& g = glyph(font, t.chars[i], escapement);
    const MetaPoint pen = at(offsets[i], 0);
    const double px = std::round(pen.x), py = std::round(pen.y);
    const double right = image_.width();
    spend(g.runs.size());
    for (const GlyphRun& run : g.runs) {
      const double y = py + run.y;
      if (y < 0 || y >= image_.height()) continue;
      const int x0 = static_cast<int>(std::clamp(px + run.x0, 0.0, right));
      const int x1 = static_cast<int>(std::clamp(px + run.x1, 0.0, right));
      spend(static_cast<uint64_t>(std::max(0, x1 - x0)));
      for (int x = x0; x < x1; ++x) {
        if (!limit || limit->contains(x, static_cast<int>(y)))
          plotCopy(x, static_cast<int>(y), colour);
      }
    }
  }
  // Underline and strike-out: bars a twentieth of the line high, under the baseline and
  // a third of the ascent above it.
  const double bar = std::max(1.0, (font.ascent() + font.descent()) / 20.0);
  const auto line = [&](double top) {
    fillCopy({{at(0, top), at(width, top), at(width, top + bar), at(0, top + bar)}}, colour,
             limit.get());
  };
  if (f.underline) line(std::max(1.0, font.descent() / 2.0));
  if (f.strikeOut) line(-font.ascent() / 3.0);

  if (fromPosition && horizontal != kAlignCentre) {
    // The current position moves to the other end of the text.
    const double sign = horizontal == kAlignRight ? -1 : 1;
    const MetaPoint o = toPixels({0, 0}), ux = toPixels({1, 0}), uy = toPixels({0, 1});
    const double a = ux.x - o.x, b = uy.x - o.x, c = ux.y - o.y, d = uy.y - o.y;
    const double det = a * d - b * c;
    if (det != 0) {
      const double vx = sign * width * along.x, vy = sign * width * along.y;
      state_.position.x += (d * vx - b * vy) / det;
      state_.position.y += (a * vy - c * vx) / det;
    }
  }
}

}  // namespace lumabord
