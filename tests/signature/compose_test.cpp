// String measuring and composition over hand-made cells: shadow darkening, face and wall
// blending, gradients, textures, alignment and the clipping of a very negative margin.
#include <gtest/gtest.h>

#include "signature/synthetic_cells.h"

namespace lumabord {
namespace {

using testing::CoveragePixel;
using testing::rowCell;
using testing::syntheticFont;
using testing::syntheticRow;
using testing::uniformCell;

class Compose : public ::testing::Test {
 protected:
  Rgb drawnAt(Image& image, int x, int y, std::string_view text, int mode = kModeTopLeft,
              BrushStyle brush = BrushStyle::Clear) {
    TextCanvas canvas{image, syntheticFont(), brush, 0x00102030};
    renderer.drawText(canvas, x, y, mode, font3d, text);
    return image.pixel(0, 0);
  }

  SmoothText3D renderer;
  TFont3D font3d;
};

TEST_F(Compose, ShadowDarkensByIntensityAndDarkness) {
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d);
  row.setGlyph('A', rowCell({{255, 0, 0}, {128, 0, 0}, {0, 0, 0}}));
  Image image(3, 1, Rgb{200, 100, 50});
  drawnAt(image, 0, 0, "A");
  // Darkness 32: full shadow v x 223 div 255; partial (v x c x 223 div 255 + v x (255 - c)) div
  // 255.
  EXPECT_EQ(image.pixel(0, 0), (Rgb{174, 87, 43}));
  EXPECT_EQ(image.pixel(1, 0), (Rgb{187, 93, 46}));
  EXPECT_EQ(image.pixel(2, 0), (Rgb{200, 100, 50}));

  font3d.shadow().setColor(255);
  TSmoothZeichensatz& black = syntheticRow(renderer, font3d);
  black.setGlyph('A', rowCell({{255, 0, 0}, {128, 0, 0}}));
  Image dark(2, 1, Rgb{200, 100, 50});
  drawnAt(dark, 0, 0, "A");
  EXPECT_EQ(dark.pixel(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(dark.pixel(1, 0), (Rgb{99, 49, 24}));  // v x 127 div 255
}

TEST_F(Compose, OverlappingShadowsTakeTheLarger) {
  font3d.shadow().setColor(255);
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d, -1);
  row.setGlyph('A', rowCell({{100, 0, 0}, {50, 0, 0}}));
  row.setGlyph('B', rowCell({{80, 0, 0}, {0, 0, 0}}));
  // Darkness 255 leaves v x (255 - c) div 255, so the pixel shows the intensity kept.
  Image image(4, 1, Rgb{255, 255, 255});
  drawnAt(image, 0, 0, "AB");
  EXPECT_EQ(image.pixel(0, 0).r, 155);
  EXPECT_EQ(image.pixel(1, 0).r, 175);  // max(50, 80)
  EXPECT_EQ(image.pixel(2, 0).r, 255);
  EXPECT_EQ(renderer.textWidth(syntheticFont(), "AB", font3d), 3);  // 2 + 2 - 1
}

TEST_F(Compose, FaceAndWallBlendWithWhatLiesBelow) {
  font3d.setFrontColor(0x001E140A);      // red 10, green 20, blue 30
  font3d.border().setColor(0x00E6F0FA);  // red 250, green 240, blue 230
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d);
  row.setGlyph('A', rowCell({{0, 50, 100}, {0, 0, 255}, {0, 255, 0}, {0, 0, 0}, {0, 30, 225}}));
  Image image(5, 1, Rgb{200, 200, 200});
  drawnAt(image, 0, 0, "A");
  // t = 105: (105 x 200 + 100 x face + 50 x wall) div 255 per channel.
  EXPECT_EQ(image.pixel(0, 0), (Rgb{135, 137, 139}));
  EXPECT_EQ(image.pixel(1, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(image.pixel(2, 0), (Rgb{250, 240, 230}));
  EXPECT_EQ(image.pixel(3, 0), (Rgb{200, 200, 200}));
  EXPECT_EQ(image.pixel(4, 0), (Rgb{38, 45, 53}));  // t = 0: (225 x face + 30 x wall) div 255
}

TEST_F(Compose, NeighboursCoveringOnePixelNeverExceedFullCoverage) {
  font3d.setFrontColor(kClWhite);
  font3d.border().setColor(kClBlack);
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d, -1);
  row.setGlyph('A', rowCell({{0, 0, 0}, {0, 200, 0}}));
  row.setGlyph('B', rowCell({{0, 0, 100}, {0, 0, 0}}));
  Image image(3, 1, Rgb{40, 40, 40});
  drawnAt(image, 0, 0, "AB");
  // A's wall (200) and B's face (100) meet: the face lies on top and the wall keeps the
  // remaining 155, leaving nothing of the background: (100 x 255 + 155 x 0) div 255.
  EXPECT_EQ(image.pixel(1, 0), (Rgb{100, 100, 100}));
}

TEST_F(Compose, SolidBrushReplacesTheCanvasUnderTheText) {
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d);
  row.setGlyph('A', rowCell({{0, 0, 0}, {255, 0, 0}}));
  Image image(3, 1, Rgb{200, 200, 200});
  drawnAt(image, 0, 0, "A", kModeTopLeft, BrushStyle::Solid);
  EXPECT_EQ(image.pixel(0, 0), (Rgb{0x30, 0x20, 0x10}));
  EXPECT_EQ(image.pixel(1, 0), (Rgb{0x29, 0x1B, 0x0D}));  // the brush under a full shadow
  EXPECT_EQ(image.pixel(2, 0), (Rgb{200, 200, 200}));
}

TEST_F(Compose, SystemColoursResolveForFaceAndWallOnly) {
  font3d.setFrontColor(0x80000002);  // active caption
  font3d.border().setColor(0x80000005);
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d);
  row.setGlyph('A', rowCell({{0, 0, 255}, {0, 255, 0}}));
  Image image(2, 1, Rgb{});
  drawnAt(image, 0, 0, "A");
  EXPECT_EQ(image.pixel(0, 0), defaultSystemColors().systemColor(2));
  EXPECT_EQ(image.pixel(1, 0), defaultSystemColors().systemColor(5));

  // Gradient colours are used as they are: 0x80000005 is red 5.
  font3d.gradient().setActive(true);
  font3d.gradient().setBeginColor(0x80000005);
  Image gradient(2, 1, Rgb{});
  drawnAt(gradient, 0, 0, "A");
  EXPECT_EQ(gradient.pixel(0, 0), (Rgb{5, 0, 0}));  // one row: the begin colour
}

TEST_F(Compose, VerticalGradientRunsOverTheRows) {
  font3d.gradient().setActive(true);
  font3d.gradient().setBeginColor(0x00FF0000);  // blue
  font3d.gradient().setEndColor(0x000000FF);    // red
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d);
  row.setGlyph('A', uniformCell(1, 5, {0, 0, 255}));
  Image image(1, 5, Rgb{});
  drawnAt(image, 0, 0, "A");
  // Round(q / 4 x (End - Begin)) + Begin; 127.5 goes to 128, -127.5 to -128.
  const uint8_t red[5] = {0, 64, 128, 191, 255};
  const uint8_t blue[5] = {255, 191, 127, 64, 0};
  for (int y = 0; y < 5; ++y) EXPECT_EQ(image.pixel(0, y), (Rgb{red[y], 0, blue[y]})) << y;
}

TEST_F(Compose, HorizontalGradientRunsOverTheWholeString) {
  font3d.gradient().setActive(true);
  font3d.gradient().setKind(TSmoothFontGradientKind::sfgkHorizontal);
  font3d.gradient().setBeginColor(kClBlack);
  font3d.gradient().setEndColor(0x000000FF);
  font3d.border().setEffectColor(2);
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d);
  row.setGlyph('A', uniformCell(3, 1, {0, 0, 255}));
  row.setGlyph('w', uniformCell(3, 1, {0, 255, 0}));
  Image image(6, 1, Rgb{});
  drawnAt(image, 0, 0, "Aw");
  // Faces: Round(q / 5 x 255); walls take the face colour / EffectColor, halves to even.
  const uint8_t red[6] = {0, 51, 102, 76, 102, 128};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(image.pixel(x, 0).r, red[x]) << x;
}

TEST_F(Compose, TextureTilesFromTheStringsCorner) {
  Image texture(2, 2, Rgb{});
  texture.setPixel(0, 0, Rgb{101, 1, 2});
  texture.setPixel(1, 0, Rgb{103, 3, 4});
  texture.setPixel(0, 1, Rgb{200, 5, 6});
  texture.setPixel(1, 1, Rgb{7, 8, 9});
  font3d.setBitmap(texture);
  font3d.gradient().setActive(true);  // a texture wins over the gradient
  font3d.border().setColor(0x00000099);
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d);
  row.setGlyph('A', uniformCell(3, 3, {0, 0, 255}));
  row.setGlyph('B', uniformCell(2, 1, {0, 255, 0}));
  Image image(5, 3, Rgb{});
  drawnAt(image, 0, 0, "AB");
  EXPECT_EQ(image.pixel(0, 0), (Rgb{101, 1, 2}));
  EXPECT_EQ(image.pixel(1, 1), (Rgb{7, 8, 9}));
  EXPECT_EQ(image.pixel(0, 1), (Rgb{200, 5, 6}));
  EXPECT_EQ(image.pixel(3, 0), (Rgb{0x99, 0, 0}));  // walls keep Border.Color
  EXPECT_EQ(image.pixel(3, 1), (Rgb{}));            // beyond B's one row
  EXPECT_EQ(image.pixel(2, 2), (Rgb{}));            // the string is Round(mean(3, 1)) = 2 high

  font3d.border().setEffectColor(2);
  Image effect(5, 1, Rgb{});
  drawnAt(effect, 0, 0, "AB");
  EXPECT_EQ(effect.pixel(3, 0), (Rgb{52, 2, 2}));  // texel (1, 0) / 2: 51.5 -> 52, 1.5 -> 2
  EXPECT_EQ(effect.pixel(4, 0), (Rgb{50, 0, 1}));  // texel (0, 0) / 2: 50.5 -> 50, 0.5 -> 0
  font3d.border().setEffectColor(0.5);
  drawnAt(effect, 0, 0, "AB");
  EXPECT_EQ(effect.pixel(4, 0), (Rgb{202, 2, 4}));
  font3d.border().setEffectColor(0.25);
  drawnAt(effect, 0, 0, "AB");
  EXPECT_EQ(effect.pixel(4, 0), (Rgb{255, 4, 8}));  // capped at 255
}

TEST_F(Compose, AlignmentModesMoveTheStringsCorner) {
  font3d.setFrontColor(kClWhite);
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d, -1);
  row.setGlyph('A', uniformCell(3, 3, {0, 0, 255}));
  auto left = [&](int x, int y, int mode, int* top) {
    Image image(20, 10, Rgb{});
    drawnAt(image, x, y, "AA", mode);
    for (int py = 0; py < 10; ++py) {
      for (int px = 0; px < 20; ++px) {
        if (image.pixel(px, py).r != 0) {
          *top = py;
          return px;
        }
      }
    }
    return -1;
  };
  int top = 0;
  EXPECT_EQ(left(10, 4, kModeTopLeft, &top), 10);
  EXPECT_EQ(top, 4);
  EXPECT_EQ(left(10, 4, kModeRight, &top), 5);  // x - (6 + 1 x -1)
  EXPECT_EQ(top, 4);
  EXPECT_EQ(left(10, 4, kModeCentre, &top), 8);  // x - 5 div 2, y - 3 div 2
  EXPECT_EQ(top, 3);
  EXPECT_EQ(left(-2, -1, kModeTopLeft, &top), 0);  // clipped at the canvas edge
  EXPECT_EQ(top, 0);
}

TEST_F(Compose, MeasuresWidthWithMarginAndOverlapAndMeanHeight) {
  font3d.setCharacterMargin(2);
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d, -3);
  row.setGlyph('a', uniformCell(10, 2, {}));
  row.setGlyph('b', uniformCell(7, 3, {}));
  row.setGlyph('c', uniformCell(5, 5, {}));
  row.setGlyph('d', uniformCell(5, 6, {}));
  row.setGlyph('X', uniformCell(4, 9, {}));
  EXPECT_EQ(renderer.textWidth(syntheticFont(), "abb", font3d), 12 + 9 + 9 - 6);
  EXPECT_EQ(renderer.textWidth(syntheticFont(), "", font3d), 0);
  EXPECT_EQ(renderer.textHeight(syntheticFont(), "ab", font3d), 2);   // 2.5 -> 2
  EXPECT_EQ(renderer.textHeight(syntheticFont(), "cd", font3d), 6);   // 5.5 -> 6
  EXPECT_EQ(renderer.textHeight(syntheticFont(), "abc", font3d), 3);  // 3.33
  EXPECT_EQ(renderer.textHeight(syntheticFont(), "", font3d), 9);     // measured as "X"

  Image image(4, 4, Rgb{1, 2, 3});
  drawnAt(image, 0, 0, "");
  EXPECT_EQ(image, Image(4, 4, Rgb{1, 2, 3}));
}

TEST_F(Compose, VeryNegativeMarginIsClippedToTheBuffer) {
  font3d.setFrontColor(kClWhite);
  TSmoothZeichensatz& row = syntheticRow(renderer, font3d);
  std::vector<CoveragePixel> ramp;
  for (int i = 0; i < 20; ++i) ramp.push_back({0, 0, static_cast<uint8_t>(10 + i)});
  row.setGlyph('A', uniformCell(4, 1, {0, 0, 1}));
  row.setGlyph('B', uniformCell(1, 1, {0, 0, 2}));
  row.setGlyph('C', rowCell(ramp));
  row.setGlyph('W', uniformCell(20, 1, {0, 0, 3}));

  // Ws = 1 - 2 + 17 = 16; C starts at pen -1, so its first column falls left of the buffer.
  font3d.setCharacterMargin(-3);
  Image image(20, 1, Rgb{});
  drawnAt(image, 2, 0, "ABC");
  for (int x = 0; x < 20; ++x) {
    const int expected = x >= 2 && x < 18 ? 11 + (x - 2) : 0;
    EXPECT_EQ(image.pixel(x, 0).r, expected) << x;
  }

  // Ws = 12 - 7 = 5; B starts at pen 12, past the buffer, and is dropped.
  font3d.setCharacterMargin(-8);
  Image past(12, 1, Rgb{});
  drawnAt(past, 0, 0, "WB");
  for (int x = 0; x < 12; ++x) EXPECT_EQ(past.pixel(x, 0).r, x < 5 ? 3 : 0) << x;

  // A margin that makes the whole width negative draws nothing.
  font3d.setCharacterMargin(-100);
  Image none(12, 1, Rgb{9, 9, 9});
  drawnAt(none, 0, 0, "WBC");
  EXPECT_EQ(none, Image(12, 1, Rgb{9, 9, 9}));
  EXPECT_LT(renderer.textWidth(syntheticFont(), "WBC", font3d), 0);
}

}  // namespace
}  // namespace lumabord
