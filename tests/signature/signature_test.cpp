// The signature's placement on its level (the six positions, the margins, truncation), its
// pixels laid band by band as drawn whole, the controls' mapping onto the 3D settings and the
// dialog preview's background.
#include <gtest/gtest.h>

#include <vector>

#include "signature/signature.h"
#include "signature/signature_settings.h"
#include "signature/synthetic_cells.h"

namespace lumabord {
namespace {

using testing::CoveragePixel;
using testing::syntheticFont;
using testing::syntheticRow;
using testing::uniformCell;

constexpr Rgb kGround{10, 20, 30};

// The rectangle of pixels that differ from the ground.
Rect changed(const Image& image) {
  int x0 = image.width(), y0 = image.height(), x1 = -1, y1 = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kGround) continue;
      x0 = std::min(x0, x);
      y0 = std::min(y0, y);
      x1 = std::max(x1, x);
      y1 = std::max(y1, y);
    }
  }
  return x1 < 0 ? Rect{} : Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

// "AB": cells 5 x 4 and 4 x 4, all face, overlapping by one pixel: the text is 8 x 4.
class SignaturePlacement : public ::testing::Test {
 protected:
  SignaturePlacement() {
    TFont3D font3d;
    font3d.setFrontColor(0x0000FF);
    TSmoothZeichensatz& row = syntheticRow(renderer, font3d, -1);
    row.setGlyph('A', uniformCell(5, 4, CoveragePixel{0, 0, 255}));
    row.setGlyph('B', uniformCell(4, 4, CoveragePixel{0, 0, 255}));
    signature.setLettering({"AB", syntheticFont(), font3d});
  }

  SmoothText3D renderer;
  Signature signature{renderer};
};

TEST_F(SignaturePlacement, SixPositionsOnTheMatteAndOnThePicture) {
  struct Case {
    int drawOn;
    int align;
    Rect drawn;  // on a 31 x 20 level
  };
  // Matte: m = Trunc(ShadowSize 9 / 2) = 4; cx = Trunc((31 - 8) / 2) = 11; the bottom row
  // 20 - 4 - 4 = 12 leaves the text's bottom 4 pixels above the level's. Picture: m is the
  // inner matte width 3, so "Top-Left" starts at the photo's top-left pixel (3, 3).
  const std::vector<Case> cases = {
      {0, 0, {4, 4, 8, 4}},   {0, 1, {11, 4, 8, 4}},  {0, 2, {19, 4, 8, 4}},
      {0, 3, {4, 12, 8, 4}},  {0, 4, {11, 12, 8, 4}}, {0, 5, {19, 12, 8, 4}},
      {1, 0, {3, 3, 8, 4}},   {1, 1, {11, 3, 8, 4}},  {1, 2, {20, 3, 8, 4}},
      {1, 3, {3, 13, 8, 4}},  {1, 4, {11, 13, 8, 4}}, {1, 5, {20, 13, 8, 4}},
      {0, 7, {11, 12, 8, 4}},  // outside the list: "Bottom-Center"
  };
  for (const Case& c : cases) {
    FrameSpec spec;
    spec.ShadowSize = 9;
    spec.InnerWidth = 3;
    spec.SigDrawOn = c.drawOn;
    spec.SigAlign = c.align;
    Image level(31, 20, kGround);
    signature.DrawSignature(spec, level, false);
    EXPECT_TRUE(changed(level).empty()) << "placing alone draws nothing";
    signature.DrawSignature(spec, level, true);
    EXPECT_EQ(changed(level), c.drawn) << "draw on " << c.drawOn << ", align " << c.align;
    EXPECT_EQ(level.pixel(c.drawn.x, c.drawn.y), (Rgb{255, 0, 0}));
  }
}

TEST_F(SignaturePlacement, CornersTruncateTowardZeroAndClipAtTheLevel) {
  // A level narrower than the text: cx = Trunc((5 - 8) / 2) = -1, not -2.
  EXPECT_EQ(signatureCorner(1, 4, 5, 20, 8, 4), (SignaturePoint{-1, 4}));
  EXPECT_EQ(signatureCorner(4, 4, 32, 20, 8, 4), (SignaturePoint{12, 12}));
  FrameSpec spec;
  spec.SigAlign = 1;
  Image level(5, 20, kGround);
  signature.DrawSignature(spec, level, true);
  EXPECT_EQ(changed(level), (Rect{0, 4, 5, 4}));
  // Laid a band of rows at a time over a canvas, the text is what it is drawn whole.
  Image banded(5, 20, kGround);
  const auto placed = signature.PlaceSignature(spec, 5, 20);
  for (int y = 0; y < 20; y += 3) {
    const int rows = std::min(3, 20 - y);
    const Canvas band(banded.row(y), banded.stride(), 5, rows);
    layOverlay(band, band.bounds(), 0, -y, *placed);
  }
  EXPECT_TRUE(banded == level);
}

TEST(SignatureSettingsMapping, ControlsBecomeTheThreeDSettings) {
  SignatureSettings s;
  s.rdoGradient = false;
  s.rdoHorizontal = true;
  s.cboBeginColor = 0x010203;
  s.cboEndColor = 0x040506;
  s.txtAltitude = 7;
  s.txtBorder = 2;
  s.txtSpace = -3;
  s.txtView = 300;
  s.cboBorderColor = 0x0A0B0C;
  s.chkAnti = false;
  s.cboSolid = 0x112233;
  TFont3D font3d;
  font3d.shadow().setColor(77);
  ApplyToFont3D(s, font3d);
  EXPECT_FALSE(font3d.gradient().active());
  EXPECT_EQ(font3d.gradient().kind(), TSmoothFontGradientKind::sfgkHorizontal);
  EXPECT_EQ(font3d.gradient().beginColor(), 0x010203u);
  EXPECT_EQ(font3d.gradient().endColor(), 0x040506u);
  EXPECT_EQ(font3d.altitude(), 7);
  EXPECT_EQ(font3d.border().height(), 2);
  EXPECT_EQ(font3d.characterMargin(), -3);
  EXPECT_EQ(font3d.viewDirection(), 300);
  EXPECT_EQ(font3d.border().color(), 0x0A0B0Cu);
  EXPECT_FALSE(font3d.antialiasing());
  EXPECT_EQ(font3d.frontColor(), 0x112233u);
  EXPECT_EQ(font3d.shadow().color(), 77) << "the shadow darkness is not a control";
  using Style = TSmoothFontShadowStyle;
  using Site = TSmoothFontSite;
  const std::vector<std::pair<int, Style>> styles = {
      {0, Style::sfssSharp}, {1, Style::sfssDiffuse}, {2, Style::sfssNone}, {5, Style::sfssNone}};
  for (const auto& [index, style] : styles) {
    s.cboShadowStyle = index;
    ApplyToFont3D(s, font3d);
    EXPECT_EQ(font3d.shadow().style(), style) << index;
  }
  const std::vector<std::pair<int, Site>> sites = {
      {0, Site::sfpFlying}, {1, Site::sfpRaised}, {2, Site::sfpLowered}, {-1, Site::sfpFlying}};
  for (const auto& [index, site] : sites) {
    s.cboTextEffect = index;
    ApplyToFont3D(s, font3d);
    EXPECT_EQ(font3d.site(), site) << index;
  }
}

TEST(SignatureBackdrop, MatteTextureTilesColourFillsAndThePicturePieceFollowsTheAlignment) {
  Image texture(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) texture.setPixel(x, y, Rgb{uint8_t(x), uint8_t(y), 9});
  }
  Image photo(10, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 10; ++x) photo.setPixel(x, y, Rgb{uint8_t(x), uint8_t(y), 7});
  }
  BackdropSources sources{&texture, Rgb{1, 2, 3}, &photo};
  Image b(7, 4);
  MakeSignatureBackdrop(b, true, 4, false, sources);
  EXPECT_EQ(b.pixel(4, 3), (Rgb{1, 1, 9}));  // (4 mod 3, 3 mod 2)
  MakeSignatureBackdrop(b, true, 4, true, sources);
  EXPECT_EQ(b.pixel(6, 3), (Rgb{1, 2, 3}));
  // Picture, c = Trunc((10 - 7) / 2) = 1: the pieces start at these photo pixels.
  const std::vector<std::pair<int, Rgb>> corners = {{0, {0, 0, 7}}, {1, {1, 0, 7}}, {2, {3, 0, 7}},
                                                    {3, {0, 2, 7}}, {4, {1, 2, 7}}, {5, {3, 2, 7}}};
  for (const auto& [align, first] : corners) {
    MakeSignatureBackdrop(b, false, align, true, sources);
    EXPECT_EQ(b.pixel(0, 0), first) << align;
  }
  // Top-Center's piece is 8 wide (1 .. 9), stretched onto 7 columns.
  MakeSignatureBackdrop(b, false, 1, true, sources);
  EXPECT_EQ(b.pixel(6, 0), (Rgb{7, 0, 7}));  // 1 + 6 * 8 / 7
  // A photo smaller than the bitmap leaves white where it has no pixel.
  Image small(2, 2, Rgb{5, 5, 5});
  sources.photo = &small;
  MakeSignatureBackdrop(b, false, 0, true, sources);
  EXPECT_EQ(b.pixel(1, 1), (Rgb{5, 5, 5}));
  EXPECT_EQ(b.pixel(6, 3), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace lumabord
