// The label's paint rules: mnemonic markers, auto-size bounds, anchors, and painting over
// hand-made cells.
#include <gtest/gtest.h>

#include "signature/smooth_label3d.h"
#include "signature/synthetic_cells.h"

namespace lumabord {
namespace {

using testing::syntheticFont;
using testing::uniformCell;

TEST(LabelMnemonics, SingleMarkersGoDoubleOnesStay) {
  EXPECT_EQ(stripMnemonics("&File"), "File");
  EXPECT_EQ(stripMnemonics("A&&B"), "A&B");
  EXPECT_EQ(stripMnemonics("&&&x"), "&x");
  EXPECT_EQ(stripMnemonics("a&&&&b"), "a&&b");
  EXPECT_EQ(stripMnemonics("end&"), "end");
  EXPECT_EQ(stripMnemonics("Smith & Jones"), "Smith  Jones");
  EXPECT_EQ(stripMnemonics(""), "");

  const std::vector<MnemonicChar> chars = mnemonicChars("&A&&b&");
  EXPECT_EQ(chars, (std::vector<MnemonicChar>{{'A', true}, {'&', false}, {'b', false}}));
  EXPECT_EQ(mnemonicChars("&&&x"), (std::vector<MnemonicChar>{{'&', false}, {'x', true}}));
  EXPECT_EQ(mnemonicChars("&&&&"), (std::vector<MnemonicChar>{{'&', false}, {'&', false}}));
}

TEST(LabelGeometry, AutoSizeKeepsTheJustifiedEdge) {
  const LabelBounds old{10, 5, 100, 20};
  EXPECT_EQ(autoSizedBounds(old, TAlignment::taLeftJustify, 40, 30), (LabelBounds{10, 5, 40, 30}));
  EXPECT_EQ(autoSizedBounds(old, TAlignment::taRightJustify, 40, 30), (LabelBounds{70, 5, 40, 30}));
  EXPECT_EQ(autoSizedBounds(old, TAlignment::taCenter, 40, 30), (LabelBounds{40, 5, 40, 30}));
  EXPECT_EQ(autoSizedBounds({10, 5, 101, 20}, TAlignment::taCenter, 40, 30).left, 40);  // 61 div 2
  // Growing: (40 - 101) div 2 truncates toward zero.
  EXPECT_EQ(autoSizedBounds({10, 5, 40, 20}, TAlignment::taCenter, 101, 30).left, -20);
}

TEST(LabelGeometry, AnchorsByAlignment) {
  EXPECT_EQ(labelAnchor(TAlignment::taLeftJustify, 101, 27), (LabelAnchor{0, 0, kModeTopLeft}));
  EXPECT_EQ(labelAnchor(TAlignment::taRightJustify, 101, 27), (LabelAnchor{101, 0, kModeRight}));
  EXPECT_EQ(labelAnchor(TAlignment::taCenter, 101, 27), (LabelAnchor{50, 13, kModeCentre}));
  EXPECT_EQ(labelAnchor(TAlignment::taCenter, 103, 28), (LabelAnchor{52, 14, kModeCentre}));
}

class LabelPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    label.font = syntheticFont();
    label.Font3D().setFrontColor(kClWhite);
    label.transparent = true;
    TSmoothZeichensatz& row = testing::syntheticRow(renderer, label.Font3D(), -1);
    row.setGlyph('A', uniformCell(3, 2, {0, 0, 100}));
    row.setGlyph('B', uniformCell(2, 2, {0, 0, 150}));
    row.setGlyph('&', uniformCell(2, 2, {0, 0, 50}));
    FontRecord underlined = syntheticFont();
    underlined.style |= kFontUnderline;
    TSmoothZeichensatz& under =
        renderer.cache().row(renderer.cache().findOrCreateRow(underlined, label.Font3D()));
    under.shape.charOverlap = -1;
    under.setGlyph('B', uniformCell(2, 2, {0, 0, 200}));
  }

  // The red channel of the first row of a 12-pixel surface.
  std::vector<int> paintRow() {
    Image surface(12, 2, Rgb{});
    label.paint(surface, renderer);
    std::vector<int> reds;
    for (int x = 0; x < 12; ++x) reds.push_back(surface.pixel(x, 0).r);
    return reds;
  }

  SmoothText3D renderer;
  TSmoothLabel3D label;
};

TEST_F(LabelPaint, CreatedAntialiasedWithArial) {
  TSmoothLabel3D fresh;
  EXPECT_TRUE(fresh.Font3D().antialiasing());
  EXPECT_EQ(fresh.font.name, "Arial");
  int repaints = 0;
  fresh.setOnRepaint([&] { ++repaints; });
  fresh.Font3D().setAltitude(5);
  fresh.Font3D().border().setHeight(2);
  EXPECT_EQ(repaints, 2);
  fresh.setWordWrap(true);
  EXPECT_FALSE(fresh.autoSize());
}

TEST_F(LabelPaint, AutoSizeTakesTheCaptionWithoutMarkers) {
  label.caption = "A&&B";  // measured as "A&B": 3 + 2 + 2 - 2
  label.bounds = {20, 4, 30, 10};
  label.alignment = TAlignment::taCenter;
  label.adjustBounds(renderer);
  EXPECT_EQ(label.bounds, (LabelBounds{32, 4, 5, 2}));

  label.alignedToParent = true;
  label.caption = "A";
  label.adjustBounds(renderer);
  EXPECT_EQ(label.bounds.width, 5);
}

TEST_F(LabelPaint, JustifiedCaptionsAreDrawnInOneCall) {
  label.caption = "AB";
  label.setAutoSize(false);
  label.bounds = {0, 0, 12, 2};
  EXPECT_EQ(paintRow(), (std::vector<int>{100, 100, 150, 150, 0, 0, 0, 0, 0, 0, 0, 0}));
  label.alignment = TAlignment::taRightJustify;
  EXPECT_EQ(paintRow(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 100, 100, 150, 150}));
  label.alignment = TAlignment::taCenter;  // anchor 6, span 4
  EXPECT_EQ(paintRow(), (std::vector<int>{0, 0, 0, 0, 100, 100, 150, 150, 0, 0, 0, 0}));
}

TEST_F(LabelPaint, MnemonicCaptionsUnderlineTheMarkedCharacter) {
  label.caption = "A&B&&";
  label.setAutoSize(false);
  label.bounds = {0, 0, 12, 2};
  // A, then the underlined B, then "&", each advancing as inside the string (overlap -1)
  // and each composed over the one before: (55 x 100 + 200 x 255) div 255 = 221.
  EXPECT_EQ(paintRow(), (std::vector<int>{100, 100, 221, 210, 50, 0, 0, 0, 0, 0, 0, 0}));
  label.alignment = TAlignment::taRightJustify;  // the line is 3 + 2 + 2 - 2 wide
  EXPECT_EQ(paintRow(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 100, 100, 221, 210, 50}));
  label.alignment = TAlignment::taCenter;  // anchor 6, start 6 - 5 div 2
  EXPECT_EQ(paintRow(), (std::vector<int>{0, 0, 0, 0, 100, 100, 221, 210, 50, 0, 0, 0}));
  label.showAccelChar = false;  // markers drawn as they are
  label.alignment = TAlignment::taLeftJustify;
  EXPECT_EQ(paintRow()[2], 50);
}

TEST_F(LabelPaint, OpaqueAndDisabledLabels) {
  label.caption = "A";
  label.setAutoSize(false);
  label.bounds = {0, 0, 4, 2};
  label.transparent = false;
  label.color = 0x00000010;  // red 16
  // The text composes over a solid brush of the label's colour: (155 x 16 + 100 x 255) div 255.
  EXPECT_EQ(paintRow(), (std::vector<int>{109, 109, 109, 16, 0, 0, 0, 0, 0, 0, 0, 0}));
  label.enabled = false;
  EXPECT_EQ(paintRow(), (std::vector<int>{16, 16, 16, 16, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(LabelPaint, AssignedSettingsAreUsedByReference) {
  TFont3D other(label.Font3D());
  other.setFrontColor(0x00000080);
  label.setFont3D(&other);
  label.caption = "A";
  label.setAutoSize(false);
  label.bounds = {0, 0, 12, 2};
  EXPECT_EQ(paintRow()[0], 50);  // 100 x 128 div 255
  other.setFrontColor(kClWhite);
  EXPECT_EQ(paintRow()[0], 100);
}

}  // namespace
}  // namespace lumabord
