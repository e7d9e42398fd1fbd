// Glyph cell rendering for the three sites and the three shadow styles.
#include "signature/glyph_render.h"

#include <cmath>
#include <numbers>
#include <string>

#include "base/checked_math.h"
#include "base/error.h"
#include "base/rounding.h"

namespace lumabord {
namespace {

constexpr Rgb kFaceRed{255, 0, 0};
constexpr Rgb kWallGreen{0, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

int roundToInt(double value) { return static_cast<int>(roundHalfEven(value)); }

double tangent(int degrees) { return std::tan(degrees * std::numbers::pi / 180.0); }

int normalDegrees(int degrees) { return ((degrees % 360) + 360) % 360; }

// Draws ch at p; an underlined font also gets blanks on both sides so that the underlines
// of neighbouring cells join.
class CharPainter {
 public:
  CharPainter(const TextFont& font, const FontRecord& record, uint8_t code)
      : font_(font), text_(1, static_cast<char>(code)), underline_(record.underline()) {
    if (underline_) {
      blanksBefore_ = roundToInt(0.8 * font.textWidth("     "));
      blanksAfter_ = roundToInt(0.8 * font.textWidth(text_));
    }
  }

  void draw(Image& target, int x, int y, Rgb color) const {
    font_.drawText(target, x, y, text_, color);
    if (underline_) {
      font_.drawText(target, x - blanksBefore_, y, "     ", color);
      font_.drawText(target, x + blanksAfter_, y, "     ", color);
    }
  }

 private:
  const TextFont& font_;
  std::string text_;
  bool underline_;
  int blanksBefore_ = 0;
  int blanksAfter_ = 0;
};

Rgb shadowBlue(int intensity) { return {0, 0, static_cast<uint8_t>(intensity)}; }

}  // namespace

Offset offsetOnSquare(int L, int degrees) {
  const int a = normalDegrees(degrees);
  if (a <= 45) return {roundToInt(tangent(a) * L), -L};
  if (a <= 89) return {L, -roundToInt(tangent(90 - a) * L)};
  if (a <= 135) return {L, roundToInt(tangent(a - 90) * L)};
  if (a <= 180) return {roundToInt(tangent(180 - a) * L), L};
  if (a <= 225) return {-roundToInt(tangent(a - 180) * L), L};
  if (a <= 270) return {-L, roundToInt(tangent(270 - a) * L)};
  if (a <= 314) return {-L, -roundToInt(tangent(a - 270) * L)};
  return {-roundToInt(tangent(360 - a) * L), -L};
}

int SupersampleFactor(bool antialiasing, int heightOfX) {
  if (!antialiasing) return 1;
  if (heightOfX > 50) return 4;
  if (heightOfX > 12) return 8;
  return 16;
}

CellGeometry cellGeometry(int heightOfX, int advance, const TFont3D& font3d, bool italic) {
  const bool diffuse = font3d.shadow().style() == TSmoothFontShadowStyle::sfssDiffuse;
  const int dd = diffuse ? roundToInt(0.05 * heightOfX) : 0;
  const int it = italic ? roundToInt(0.1 * heightOfX) : 0;
  const double altitude = std::fabs(font3d.altitude());
  const double border = std::fabs(font3d.border().height());
  const double height = std::trunc(heightOfX + altitude + border + 2 + dd);
  const double width = std::trunc(advance + altitude + border + 2 + dd + it);
  const double overlap = -std::trunc(altitude + border + dd + it);
  if (!(height < Limits::kMaxSide && width < Limits::kMaxSide && overlap > -Limits::kMaxSide)) {
    fail("A letter cell of %.0f x %.0f pixels is beyond the limit of %d pixels a side", width,
         height, Limits::kMaxSide);
  }
  return {static_cast<int>(width), static_cast<int>(height), static_cast<int>(overlap)};
}

FontRecord scaledFont(const FontRecord& font, int s) {
  FontRecord scaled = font;
  if (font.size > 0 && font.height == 0) {
    scaled.size = font.size * s;
  } else if (font.size > 0) {
    scaled.setSize(font.size * s);
  } else {
    scaled.height = font.height * s;
  }
  return scaled;
}

GlyphCell downsample(const Image& scaled, int s) {
  GlyphCell cell;
  cell.width = scaled.width() / s;
  cell.height = scaled.height() / s;
  cell.data.assign(static_cast<size_t>(cell.width) * 3 * static_cast<size_t>(cell.height), 0);
  const unsigned divisor = static_cast<unsigned>(s * s);
  std::vector<unsigned> sums(static_cast<size_t>(cell.width) * 3);
  for (int y = 0; y < cell.height; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int dy = 0; dy < s; ++dy) {
      const uint8_t* src = scaled.row(y * s + dy);
      for (int x = 0; x < cell.width; ++x) {
        unsigned* sum = &sums[3 * static_cast<size_t>(x)];
        const uint8_t* p = src + 3 * static_cast<size_t>(x * s);
        for (int dx = 0; dx < s; ++dx, p += 3) {
          sum[0] += p[0];
          sum[1] += p[1];
          sum[2] += p[2];
        }
      }
    }
    uint8_t* out = cell.data.data() + static_cast<size_t>(y) * cell.width * 3;
    for (size_t i = 0; i < sums.size(); ++i) out[i] = static_cast<uint8_t>(sums[i] / divisor);
  }
  return cell;
}

GlyphCell renderGlyphCell(const TextFont& font, const TextFont& scaled, const FontRecord& record,
                          TFont3D& font3d, uint8_t code, int s) {
  const int a = normalDegrees(font3d.viewDirection());
  const std::string text(1, static_cast<char>(code));
  const int heightOfX = font.textHeight();
  const CellGeometry geometry = cellGeometry(heightOfX, font.textWidth(text), font3d, record.italic());
  font3d.charOverlap = geometry.charOverlap;
  if (!pixelCountAllowed(int64_t{geometry.width} * s, int64_t{geometry.height} * s)) {
    fail("A letter cell of %d x %d pixels is beyond the image limits", geometry.width * s,
         geometry.height * s);
  }
  Image work(geometry.width * s, geometry.height * s, Rgb{});
  const CharPainter painter(scaled, record, code);

  const double borderScaled = s * font3d.border().height();
  const TSmoothFontSite site = font3d.site();
  const TSmoothFontShadowStyle style = font3d.shadow().style();
  const int shadowLength = site == TSmoothFontSite::sfpFlying ? roundToInt(s * font3d.altitude())
                                                               : roundToInt(borderScaled);
  const Offset S = offsetOnSquare(shadowLength, a);
  const Offset E = offsetOnSquare(roundToInt(borderScaled), a);
  Offset P0;
  if (a < 90) {
    P0 = {0, -E.y - S.y};
  } else if (a <= 180) {
    P0 = {0, 0};
  } else if (a <= 270) {
    P0 = {-E.x - S.x, 0};
  } else {
    P0 = {-E.x - S.x, -E.y - S.y};
  }
  const int scaledHeightOfX = scaled.textHeight();
  auto diffuseRadius = [&](int i) { return roundToInt(scaledHeightOfX * (-i / 7.0) * 0.05); };

  auto drawWalls = [&] {
    if (!(borderScaled > 0.001)) return;
    const int n = roundToInt(borderScaled);
    const double stepX = E.x / borderScaled;
    const double stepY = E.y / borderScaled;
    double px = P0.x;
    double py = P0.y;
    for (int i = 0; i <= n; ++i) {
      painter.draw(work, roundToInt(px), roundToInt(py), kWallGreen);
      px += stepX;
      py += stepY;
    }
  };

  switch (site) {
    case TSmoothFontSite::sfpFlying:
      if (style == TSmoothFontShadowStyle::sfssSharp) {
        painter.draw(work, P0.x + E.x + S.x, P0.y + E.y + S.y, shadowBlue(255));
      } else if (style == TSmoothFontShadowStyle::sfssDiffuse) {
        for (int i = -7; i <= 0; ++i) {
          const Rgb blue = shadowBlue(roundToInt(25.0 * (i + 8)));
          const int r = diffuseRadius(i);
          for (int j = -1; j <= 1; ++j) {
            for (int k = -1; k <= 1; ++k) {
              const double m = std::abs(j) + std::abs(k) == 1 ? 1.41 : 1;
              painter.draw(work, roundToInt(r * j * m) + P0.x + E.x + S.x,
                           roundToInt(r * k * m) + P0.y + E.y + S.y, blue);
            }
          }
        }
      }
      drawWalls();
      painter.draw(work, P0.x, P0.y, kFaceRed);
      break;
    case TSmoothFontSite::sfpRaised: {
      int c = std::abs(S.x) > std::abs(S.y) ? S.x : S.y;
      if (style == TSmoothFontShadowStyle::sfssDiffuse) {
        c = c / s;
        const int g = std::abs(c);
        for (int i = -7; i <= 0; ++i) {
          const Rgb blue = shadowBlue(roundToInt(25.0 * (i + 8)));
          const int r = diffuseRadius(i);
          for (int j = -1; j <= 1; ++j) {
            for (int k = -1; k <= 1; ++k) {
              const double m = std::abs(j) + std::abs(k) == 1 ? 1.41 : 1;
              for (int l = -g; l <= 0; ++l) {
                const double e = g == 0 ? 1.0 : -static_cast<double>(l) / g;
                painter.draw(work, roundToInt(e * S.x) + P0.x + E.x + roundToInt(m * (r * j)),
                             roundToInt(e * S.y) + P0.y + E.y + roundToInt(m * (r * k)), blue);
              }
            }
          }
        }
      } else if (style == TSmoothFontShadowStyle::sfssSharp) {
        const int g = std::abs(c);
        for (int l = -g; l <= 0; ++l) {
          const double e = g == 0 ? 1.0 : -static_cast<double>(l) / g;
          painter.draw(work, roundToInt(e * S.x) + P0.x + E.x, roundToInt(e * S.y) + P0.y + E.y,
                       shadowBlue(255));
        }
      }
      drawWalls();
      painter.draw(work, P0.x, P0.y, kFaceRed);
      break;
    }
    case TSmoothFontSite::sfpLowered: {
      drawWalls();
      painter.draw(work, P0.x + E.x, P0.y + E.y, kFaceRed);
      Image outline(work.width(), work.height(), Rgb{});
      painter.draw(outline, P0.x, P0.y, kWhite);
      for (int y = 0; y < work.height(); ++y) {
        uint8_t* p = work.row(y);
        const uint8_t* q = outline.row(y);
        for (size_t i = 0; i < work.stride(); ++i) p[i] &= q[i];
      }
      break;
    }
  }
  return downsample(work, s);
}

}  // namespace lumabord
