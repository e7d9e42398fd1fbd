// Page geometry: the documented worked examples, the two margin roundings, the nine
// positions and the recorded page's commands.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "base/error.h"
#include "print/recorded_page.h"

namespace lumabord {
namespace {

PageGeometry letterInchMargins() {
  return pageGeometry({8500, 11000, 1000, 1000, 1000, 1000}, 600, 600);
}

TEST(PageGeometry, RoundingsOfPaperAndMargins) {
  struct Case {
    int thousandths, dpi, expected;
  };
  // 250 at 300 dpi: 75 px -> 25; 333 at 96 dpi: 31.968 -> 32 px -> 33.33 -> 33;
  // 5 at 300 dpi: 1.5 px -> 2 (even) -> 0.667 -> 1; 15 at 100 dpi: 1.5 -> 2 px -> 2.
  // 25 at 100 dpi: 2.5 -> 2 px (even); 125 at 4 dpi: 0.5 -> 0 px.
  for (const Case c : {Case{250, 300, 25}, Case{333, 96, 33}, Case{5, 300, 1}, Case{15, 100, 2},
                       Case{25, 100, 2}, Case{125, 4, 0}, Case{-1000, 600, -100}}) {
    EXPECT_EQ(marginHundredths(c.thousandths, c.dpi), c.expected) << c.thousandths << "@" << c.dpi;
  }
  // Paper: halves to even, within 1 .. 32767.
  for (const auto& [thousandths, expected] : {std::pair{8500, 850},
                                              {8275, 828},
                                              {8265, 826},
                                              {11695, 1170},
                                              {4, 1},
                                              {-50, 1},
                                              {400000, 32767}}) {
    EXPECT_EQ(paperHundredths(thousandths), expected) << thousandths;
  }
}

TEST(PageGeometry, WorkedExamplesOfTheLetterPage) {
  const PageGeometry page = letterInchMargins();
  EXPECT_EQ(page.paperWidth, 850);
  EXPECT_EQ(page.paperHeight, 1100);
  EXPECT_EQ(page.printable, (PageRect{100, 100, 750, 1000}));
  struct Case {
    int w, h;
    ImagePosition position;
    PageRect expected;
  };
  const Case cases[] = {
      // 833 x 625 natural, fitted 650 x 487; the half in 206.5 goes to the even 206.
      {800, 600, ImagePosition::Center, {100, 306, 750, 793}},
      {800, 600, ImagePosition::BottomRight, {100, 513, 750, 1000}},
      // 313 x 208 natural (312.5 rounds up), not enlarged; 168.5 goes to 168.
      {300, 200, ImagePosition::Center, {268, 446, 581, 654}},
      {300, 200, ImagePosition::TopLeft, {100, 100, 413, 308}},
      {300, 200, ImagePosition::Top, {268, 100, 581, 308}},
      {300, 200, ImagePosition::TopRight, {437, 100, 750, 308}},
      {300, 200, ImagePosition::Right, {437, 446, 750, 654}},
      {300, 200, ImagePosition::BottomRight, {437, 792, 750, 1000}},
      {300, 200, ImagePosition::Bottom, {268, 792, 581, 1000}},
      {300, 200, ImagePosition::BottomLeft, {100, 792, 413, 1000}},
      {300, 200, ImagePosition::Left, {100, 446, 413, 654}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(placeImage(page, c.w, c.h, 96, c.position), c.expected)
        << c.w << "x" << c.h << " position " << static_cast<int>(c.position);
  }
}

TEST(PageGeometry, DegenerateInputStaysInside) {
  // Margins wider than the sheet leave no printable area: nothing is placed.
  const PageGeometry crowded = pageGeometry({8500, 11000, 5000, 250, 5000, 250}, 300, 300);
  EXPECT_EQ(placeImage(crowded, 800, 600, 96, ImagePosition::Center).width(), 0);
  // One pixel at 96 dpi is one hundredth; at 1000 dpi it rounds to nothing.
  EXPECT_EQ(placeImage(letterInchMargins(), 1, 1, 96, ImagePosition::TopLeft),
            (PageRect{100, 100, 101, 101}));
  EXPECT_EQ(placeImage(letterInchMargins(), 1, 1, 1000, ImagePosition::TopLeft).width(), 0);
  // Natural sizes beyond an int are fitted like any other: a strip 1 pixel wide keeps no
  // width; 2:1 at 1 pixel per inch becomes 650 x 325, centred (287.5 goes to 288).
  EXPECT_EQ(placeImage(letterInchMargins(), 1, 1685073197, 8, ImagePosition::TopLeft),
            (PageRect{100, 100, 100, 1000}));
  EXPECT_EQ(placeImage(letterInchMargins(), INT32_MAX, INT32_MAX / 2, 1, ImagePosition::Center),
            (PageRect{100, 388, 750, 713}));
  EXPECT_THROW((void)pageGeometry({}, 0, 600), Error);
  EXPECT_THROW((void)placeImage(letterInchMargins(), 1, 1, 0, ImagePosition::Center), Error);
}

TEST(PageGeometry, PositionNamesAndEqualMargins) {
  EXPECT_EQ(positionFromName("bottom-left"), ImagePosition::BottomLeft);
  EXPECT_EQ(positionFromName("center"), ImagePosition::Center);
  EXPECT_EQ(positionFromName("centre"), std::nullopt);
  PageSetup setup{8500, 11000, 250, 400, 100, 300};
  equalizeMargins(setup);
  EXPECT_EQ(setup, (PageSetup{8500, 11000, 400, 400, 400, 400}));
  setup = {8500, 11000, -5, -7, -1, -2};
  equalizeMargins(setup);
  EXPECT_EQ(setup.marginLeft, 0);
}

TEST(RecordedPage, GuideOnlyWhenNotForPrinting) {
  PageRequest request;
  request.setup = {8500, 11000, 1000, 1000, 1000, 1000};
  request.image = std::make_shared<const Image>(800, 600, Rgb{1, 2, 3});
  request.position = ImagePosition::BottomRight;
  request.pageColor = 0x00FF00;
  const RecordedPage preview = BuildPage(request);
  EXPECT_EQ(preview.width, 850);
  EXPECT_EQ(preview.height, 1100);
  ASSERT_EQ(preview.commands.size(), 6u);
  const auto& fill = std::get<PageFill>(preview.commands[0]);
  EXPECT_EQ(fill.rect, (PageRect{100, 100, 750, 1000}));
  EXPECT_EQ(fill.color, 0x00FF00u);
  EXPECT_EQ(imageRect(preview), (PageRect{100, 513, 750, 1000}));
  const auto& first = std::get<PageDottedLine>(preview.commands[2]);
  EXPECT_EQ((std::array{first.x1, first.y1, first.x2, first.y2}),
            (std::array{100, 100, 100, 1000}));
  EXPECT_EQ(first.color, 0x808080u);

  request.forPrinting = true;
  const RecordedPage printed = BuildPage(request);
  ASSERT_EQ(printed.commands.size(), 2u);
  EXPECT_EQ(imageRect(printed), imageRect(preview));
}

}  // namespace
}  // namespace lumabord
