// The documented arithmetic of glyph cells: offsets on the square, supersampling, cell
// sizes and the averaging of supersampled pixels.
#include <gtest/gtest.h>

#include "base/error.h"
#include "signature/glyph_render.h"

namespace lumabord {
namespace {

TEST(OffsetOnSquare, EveryBranchAtItsBoundaries) {
  struct Case {
    int degrees;
    Offset expected;
  };
  // tan 44° x 100 = 96.57, tan 1° x 100 = 1.75: a wrong branch at a boundary gives 104 or -100.
  const Case cases[] = {
      {0, {0, -100}},    {45, {100, -100}},  {46, {100, -97}},    {89, {100, -2}},
      {90, {100, 0}},    {135, {100, 100}},  {136, {97, 100}},    {180, {0, 100}},
      {181, {-2, 100}},  {225, {-100, 100}}, {226, {-100, 97}},   {270, {-100, 0}},
      {271, {-100, -2}}, {314, {-100, -97}}, {315, {-100, -100}}, {359, {-2, -100}},
      {360, {0, -100}},  {495, {100, 100}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(offsetOnSquare(100, c.degrees), c.expected) << c.degrees << " degrees";
  }
  EXPECT_EQ(offsetOnSquare(0, 135), (Offset{0, 0}));
  EXPECT_EQ(offsetOnSquare(3, 120), (Offset{3, 2}));  // 3 x tan 30° = 1.73
}

TEST(SupersampleFactor, ThresholdsOnTheHeightOfX) {
  EXPECT_EQ(SupersampleFactor(false, 5), 1);
  EXPECT_EQ(SupersampleFactor(false, 80), 1);
  EXPECT_EQ(SupersampleFactor(true, 1), 16);
  EXPECT_EQ(SupersampleFactor(true, 12), 16);
  EXPECT_EQ(SupersampleFactor(true, 13), 8);
  EXPECT_EQ(SupersampleFactor(true, 50), 8);
  EXPECT_EQ(SupersampleFactor(true, 51), 4);
}

TFont3D settings(double altitude, double border, TSmoothFontShadowStyle style) {
  TFont3D font3d;
  font3d.setAltitude(altitude);
  font3d.border().setHeight(border);
  font3d.shadow().setStyle(style);
  return font3d;
}

TEST(CellGeometry, HeightWidthAndOverlap) {
  using enum TSmoothFontShadowStyle;
  // Diffuse: Dd = Round(0.05 x 28) = 1; italic: It = Round(2.8) = 3.
  CellGeometry g = cellGeometry(28, 15, settings(3, 1, sfssDiffuse), true);
  EXPECT_EQ(g.height, 35);  // 28 + 3 + 1 + 2 + 1
  EXPECT_EQ(g.width, 25);   // 15 + 3 + 1 + 2 + 1 + 3
  EXPECT_EQ(g.charOverlap, -8);

  g = cellGeometry(28, 15, settings(3, 1, sfssSharp), false);
  EXPECT_EQ(g.height, 34);
  EXPECT_EQ(g.width, 21);
  EXPECT_EQ(g.charOverlap, -4);

  // Fractions are truncated after the sum; negative depths count by their size.
  g = cellGeometry(20, 10, settings(-2.6, 1.7, sfssNone), false);
  EXPECT_EQ(g.height, 26);       // Trunc(26.3)
  EXPECT_EQ(g.width, 16);        // Trunc(16.3)
  EXPECT_EQ(g.charOverlap, -4);  // -Trunc(4.3)

  // Halves of Dd and It go to the even neighbour: 0.05 x 50 = 2.5 -> 2, 0.05 x 30 = 1.5 -> 2,
  // 0.1 x 25 = 2.5 -> 2, 0.1 x 35 = 3.5 -> 4.
  EXPECT_EQ(cellGeometry(50, 10, settings(0, 0, sfssDiffuse), false).height, 54);
  EXPECT_EQ(cellGeometry(30, 10, settings(0, 0, sfssDiffuse), false).height, 34);
  EXPECT_EQ(cellGeometry(25, 10, settings(0, 0, sfssNone), true).width, 14);
  EXPECT_EQ(cellGeometry(35, 10, settings(0, 0, sfssNone), true).charOverlap, -4);
}

TEST(CellGeometry, HugeDepthsAreRefused) {
  EXPECT_THROW(
      (void)cellGeometry(28, 15, settings(1e12, 1, TSmoothFontShadowStyle::sfssNone), false),
      Error);
  EXPECT_THROW(
      (void)cellGeometry(28, 15, settings(3, 1e300, TSmoothFontShadowStyle::sfssNone), false),
      Error);
}

TEST(ScaledFont, PointSizeOrPixelHeight) {
  FontRecord font;
  font.setHeight(-24);  // 18 points at 96 pixels per inch
  FontRecord scaled = scaledFont(font, 8);
  EXPECT_EQ(scaled.size, 144);
  EXPECT_EQ(scaled.height, -192);
  // A line height given in pixels has no positive point size: the height is scaled.
  font.setHeight(30);
  scaled = scaledFont(font, 4);
  EXPECT_EQ(scaled.height, 120);
}

TEST(Downsample, IntegerMeanOfEachBlock) {
  Image scaled(5, 3, Rgb{});
  // Block (0,0): blue 1, 1, 1, 0 -> 3 / 4 = 0; green 255 x 4 -> 255; red 10, 20, 30, 41 -> 25.
  const uint8_t blue[4] = {1, 1, 1, 0};
  const uint8_t red[4] = {10, 20, 30, 41};
  for (int i = 0; i < 4; ++i) scaled.setPixel(i % 2, i / 2, Rgb{red[i], 255, blue[i]});
  // Block (1,0): one red pixel of 255 -> 63.
  scaled.setPixel(3, 1, Rgb{255, 0, 0});
  // The fifth column and third row do not fill a block and are dropped.
  scaled.setPixel(4, 0, Rgb{255, 255, 255});
  scaled.setPixel(0, 2, Rgb{255, 255, 255});
  const GlyphCell cell = downsample(scaled, 2);
  ASSERT_EQ(cell.width, 2);
  ASSERT_EQ(cell.height, 1);
  const std::vector<uint8_t> expected = {0, 255, 25, 0, 0, 63};  // shadow, border, face
  EXPECT_EQ(cell.data, expected);

  Image one(2, 1, Rgb{7, 8, 9});
  const GlyphCell same = downsample(one, 1);
  EXPECT_EQ(same.data, (std::vector<uint8_t>{9, 8, 7, 9, 8, 7}));
}

}  // namespace
}  // namespace lumabord
