// Rendering real glyph cells with an installed font (DejaVu Sans from fonts-dejavu-core):
// coverage sums, the three sites, the shadow and face placement and the lowered mask.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/error.h"
#include "signature/glyph_render.h"

namespace lumabord {
namespace {

using enum TSmoothFontSite;
using enum TSmoothFontShadowStyle;

FontRecord dejaVu(int height) {
  FontRecord font;
  font.name = "DejaVu Sans";
  font.setHeight(height);
  return font;
}

struct Rendered {
  GlyphCell cell;
  int s = 1;
  int overlap = 0;
};

Rendered render(const FontRecord& font, TFont3D font3d, uint8_t code) {
  const auto plain = defaultTextFacility().createFont(font);
  const int s = SupersampleFactor(font3d.antialiasing(), plain->textHeight());
  const auto scaled = defaultTextFacility().createFont(scaledFont(font, s));
  Rendered r;
  r.cell = renderGlyphCell(*plain, *scaled, font, font3d, code, s);
  r.s = s;
  r.overlap = font3d.charOverlap;
  return r;
}

const uint8_t* at(const GlyphCell& cell, int x, int y) {
  return cell.data.data() + 3 * (static_cast<size_t>(y) * cell.width + x);
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};

// The box of the pixels whose byte `channel` is non-zero.
Box inkBox(const GlyphCell& cell, int channel) {
  Box box;
  for (int y = 0; y < cell.height; ++y) {
    for (int x = 0; x < cell.width; ++x) {
      if (at(cell, x, y)[channel] == 0) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

TFont3D design(TSmoothFontSite site, TSmoothFontShadowStyle style, bool antialiasing) {
  TFont3D font3d;
  font3d.setSite(site);
  font3d.shadow().setStyle(style);
  font3d.setAntialiasing(antialiasing);
  return font3d;
}

TEST(GlyphRender, CoverageBytesOfAPixelNeverExceed255) {
  FontRecord small = dejaVu(-12);
  FontRecord bold = dejaVu(-20);
  bold.style = kFontBold | kFontItalic | kFontUnderline;
  for (TSmoothFontSite site : {sfpFlying, sfpRaised, sfpLowered}) {
    for (TSmoothFontShadowStyle style : {sfssSharp, sfssDiffuse, sfssNone}) {
      TFont3D font3d = design(site, style, true);
      font3d.border().setHeight(2);
      for (FontRecord* font : {&small, &bold}) {
        for (uint8_t code : std::string("Wg&\xA9")) {
          const Rendered r = render(*font, font3d, code);
          int partial = 0;
          for (int y = 0; y < r.cell.height; ++y) {
            for (int x = 0; x < r.cell.width; ++x) {
              const uint8_t* p = at(r.cell, x, y);
              ASSERT_LE(p[0] + p[1] + p[2], 255) << int(site) << int(style) << code;
              if (p[2] != 0 && p[2] != 255) ++partial;
            }
          }
          EXPECT_GT(partial, 0) << "antialiased faces have soft edges";
        }
      }
    }
  }
}

TEST(GlyphRender, CellSizeFollowsTheFontsLineHeightAndAdvance) {
  const FontRecord font = dejaVu(-24);
  const auto plain = defaultTextFacility().createFont(font);
  TFont3D font3d = design(sfpRaised, sfssDiffuse, true);
  const Rendered r = render(font, font3d, 'W');
  // "X" is as high as the line (28 pixels), so s = 8 and Dd = Round(1.4) = 1.
  EXPECT_EQ(plain->textHeight(), 28);
  EXPECT_EQ(r.s, 8);
  EXPECT_EQ(r.cell.height, 28 + 3 + 1 + 2 + 1);
  EXPECT_EQ(r.cell.width, plain->textWidth("W") + 3 + 1 + 2 + 1);
  EXPECT_EQ(r.overlap, -5);
}

TEST(GlyphRender, WithoutAntialiasingCoverageIsAllOrNothing) {
  const Rendered r = render(dejaVu(-24), design(sfpFlying, sfssSharp, false), 'A');
  EXPECT_EQ(r.s, 1);
  for (uint8_t byte : r.cell.data) ASSERT_TRUE(byte == 0 || byte == 255);
  EXPECT_FALSE(inkBox(r.cell, 0).empty());
  EXPECT_FALSE(inkBox(r.cell, 1).empty());
  EXPECT_FALSE(inkBox(r.cell, 2).empty());
}

TEST(GlyphRender, FlyingShadowAndWallsLieTowardsTheView) {
  // s = 1, altitude 3, border 1: walls reach 1 pixel and the shadow 4 pixels beyond the face.
  TFont3D font3d = design(sfpFlying, sfssSharp, false);
  const Rendered r135 = render(dejaVu(-24), font3d, 'H');
  const Box face = inkBox(r135.cell, 2);
  const Box walls = inkBox(r135.cell, 1);
  const Box shadow = inkBox(r135.cell, 0);
  EXPECT_EQ(walls.right, face.right + 1);
  EXPECT_EQ(walls.bottom, face.bottom + 1);
  EXPECT_EQ(shadow.right, face.right + 4);
  EXPECT_EQ(shadow.bottom, face.bottom + 4);

  // From 315 everything lies to the upper left and the face moves by |E| + |S| = 4 per axis.
  font3d.setViewDirection(315);
  const Rendered r315 = render(dejaVu(-24), font3d, 'H');
  const Box face315 = inkBox(r315.cell, 2);
  EXPECT_EQ(face315.left, face.left + 4);
  EXPECT_EQ(face315.top, face.top + 4);
  EXPECT_EQ(inkBox(r315.cell, 0).left, face315.left - 4);
  for (int y = 0; y < face.bottom; ++y) {
    for (int x = 0; x < face.right; ++x) {
      ASSERT_EQ(at(r135.cell, x, y)[2], at(r315.cell, x + 4, y + 4)[2]) << x << "," << y;
    }
  }

  // No border: no walls, and the shadow is offset by the altitude alone.
  font3d.setViewDirection(135);
  font3d.border().setHeight(0);
  const Rendered flat = render(dejaVu(-24), font3d, 'H');
  EXPECT_TRUE(inkBox(flat.cell, 1).empty());
  EXPECT_EQ(inkBox(flat.cell, 0).right, inkBox(flat.cell, 2).right + 3);
}

TEST(GlyphRender, RaisedShadowIsSmearedFromTheFoot) {
  TFont3D font3d = design(sfpRaised, sfssSharp, false);
  font3d.border().setHeight(3);
  const Rendered r = render(dejaVu(-24), font3d, 'I');
  const Box face = inkBox(r.cell, 2);
  const Box shadow = inkBox(r.cell, 0);
  // S = E = (3, 3) and the smear runs from P0 + E to P0 + E + S.
  EXPECT_EQ(shadow.right, face.right + 6);
  EXPECT_EQ(shadow.bottom, face.bottom + 6);
  // The smear is unbroken: every row from the face's top + 3 down has shadow on the right.
  for (int y = face.top + 4; y <= face.bottom + 6; ++y) {
    bool seen = false;
    for (int x = face.right + 1; x < r.cell.width; ++x) seen = seen || at(r.cell, x, y)[0] != 0;
    EXPECT_TRUE(seen) << y;
  }
}

TEST(GlyphRender, LoweredLettersStayInsideTheirOutline) {
  for (int view : {135, 45, 250, 315}) {
    TFont3D font3d = design(sfpLowered, sfssDiffuse, true);
    font3d.border().setHeight(2);
    font3d.setViewDirection(view);
    const FontRecord font = dejaVu(-24);
    const Rendered r = render(font, font3d, 'O');
    // The outline at P0 drawn with the scaled font and averaged like the cell.
    const auto scaled = defaultTextFacility().createFont(scaledFont(font, r.s));
    const Offset e = offsetOnSquare(2 * r.s, view);
    Offset p0;
    if (view < 90) p0 = {0, -2 * e.y};
    if (view > 180 && view <= 270) p0 = {-2 * e.x, 0};
    if (view > 270) p0 = {-2 * e.x, -2 * e.y};
    Image outline(r.cell.width * r.s, r.cell.height * r.s, Rgb{});
    scaled->drawText(outline, p0.x, p0.y, "O", Rgb{255, 255, 255});
    const GlyphCell mask = downsample(outline, r.s);
    int walls = 0;
    int faces = 0;
    for (int y = 0; y < r.cell.height; ++y) {
      for (int x = 0; x < r.cell.width; ++x) {
        const uint8_t* p = at(r.cell, x, y);
        EXPECT_EQ(p[0], 0) << "lowered letters cast no shadow";
        if (p[1] == 0 && p[2] == 0) continue;
        ASSERT_GT(at(mask, x, y)[0], 0) << view << " degrees, " << x << "," << y;
        ASSERT_LE(p[1] + p[2], at(mask, x, y)[0]);
        walls += p[1] != 0;
        faces += p[2] != 0;
      }
    }
    EXPECT_GT(walls, 0);
    EXPECT_GT(faces, 0);
  }
}

TEST(GlyphRender, DiffuseShadowFadesOutward) {
  const Rendered r = render(dejaVu(-24), design(sfpFlying, sfssDiffuse, true), 'I');
  const Box face = inkBox(r.cell, 2);
  const int y = (face.top + face.bottom) / 2;
  // Right of its darkest point beside the stem the shadow falls off without rising again.
  int darkest = face.right + 1;
  for (int x = darkest; x < r.cell.width; ++x) {
    if (at(r.cell, x, y)[0] > at(r.cell, darkest, y)[0]) darkest = x;
  }
  EXPECT_GE(at(r.cell, darkest, y)[0], 150);
  int previous = 256;
  int steps = 0;
  for (int x = darkest; x < r.cell.width; ++x) {
    const int shadow = at(r.cell, x, y)[0];
    EXPECT_LE(shadow, previous) << x;
    if (shadow < previous) ++steps;
    previous = shadow;
  }
  EXPECT_GE(steps, 2);
}

TEST(GlyphRender, OversizedCellsAreRefused) {
  TFont3D font3d = design(sfpFlying, sfssSharp, true);
  font3d.setAltitude(2e6);
  EXPECT_THROW((void)render(dejaVu(-24), font3d, 'A'), Error);
}

}  // namespace
}  // namespace lumabord
