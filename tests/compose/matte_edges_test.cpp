// ShadeMatteEdges: the four ramps in their order, MulDiv rounding, and sizes 1, 2 and
// beyond the bitmap.
#include <gtest/gtest.h>

#include "compose/matte_edges.h"
#include "render_fixtures.h"

namespace lumabord {
namespace {

std::vector<std::vector<int>> redChannel(const Image& image) {
  std::vector<std::vector<int>> rows;
  for (int y = 0; y < image.height(); ++y) {
    rows.emplace_back();
    for (int x = 0; x < image.width(); ++x) rows.back().push_back(image.pixel(x, y).r);
  }
  return rows;
}

TEST(MatteEdges, FourRampsInOrderWithMitredCorners) {
  // 8 x 6, size 4, red 200 toward 0. Right then left give the row 0 67 133 200 200 133 67 0;
  // bottom and top then ramp each column again, so the corners are blended twice. The
  // bottom ramp's ends start one column further in than the top ramp's (row 4 vs row 1).
  Image image(8, 6, Rgb{200, 100, 50});
  ShadeMatteEdges(image, 4, Rgb{0, 100, 250});
  const std::vector<std::vector<int>> expected = {
      {0, 0, 0, 0, 0, 0, 0, 0},         {0, 22, 44, 67, 67, 44, 22, 0},
      {0, 67, 89, 133, 133, 89, 67, 0}, {0, 67, 133, 133, 133, 133, 67, 0},
      {0, 67, 44, 67, 67, 44, 67, 0},   {0, 0, 0, 0, 0, 0, 0, 0}};
  EXPECT_EQ(redChannel(image), expected);
  // Green equals its shadow value: unchanged everywhere. Blue ramps upward: 50 + MulDiv(1, 200, 3).
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(image.pixel(x, y).g, 100);
  }
  EXPECT_EQ(image.pixel(5, 3).b, 117);
  EXPECT_EQ(image.pixel(0, 3).b, 250);
}

TEST(MatteEdges, MulDivHalvesRoundAwayFromZeroInBothDirections) {
  // Size 3: the middle step is p + MulDiv(1, K - p, 2) or K + MulDiv(1, p - K, 2); with
  // p = 201 and K = 0 the halves are -100.5 -> -101 (right, bottom) and 100.5 -> 101 (left, top).
  Image image(7, 7, Rgb{201, 201, 201});
  ShadeMatteEdges(image, 3, Rgb{0, 0, 0});
  std::vector<int> row;
  std::vector<int> column;
  for (int i = 0; i < 7; ++i) {
    row.push_back(image.pixel(i, 3).r);
    column.push_back(image.pixel(3, i).r);
  }
  EXPECT_EQ(row, (std::vector<int>{0, 101, 201, 201, 201, 100, 0}));
  EXPECT_EQ(column, (std::vector<int>{0, 101, 201, 201, 201, 100, 0}));
}

TEST(MatteEdges, SizesOneAndTwoGiveABorderOfTheShadowColour) {
  // Size 2: each ramp's outer line is the shadow colour, the inner line unchanged. Size 1
  // (its ramps would divide by 0) gives the same one-pixel border.
  const Image original = testing::patternImage(6, 5, 1);
  const Rgb shadow{1, 2, 3};
  for (int size : {1, 2}) {
    Image image = original.clone();
    ShadeMatteEdges(image, size, shadow);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        const bool border = x == 0 || y == 0 || x == 5 || y == 4;
        EXPECT_EQ(image.pixel(x, y), border ? shadow : original.pixel(x, y))
            << "size " << size << " at " << x << "," << y;
      }
    }
  }
  Image untouched = original.clone();
  ShadeMatteEdges(untouched, 0, shadow);
  EXPECT_TRUE(untouched == original);
}

TEST(MatteEdges, SizesBeyondTheBitmapOnlyShadeWhatExists) {
  const Rgb shadow{10, 20, 30};
  Image single(1, 1, Rgb{200, 200, 200});
  ShadeMatteEdges(single, 9, shadow);
  EXPECT_EQ(single.pixel(0, 0), shadow);  // right ramp's last step and left ramp's first

  // The same ramps on a bitmap lying inside a larger canvas: nothing outside it changes,
  // and inside it matches the bitmap shaded on its own.
  for (const auto& [w, h, size] :
       {std::tuple{3, 2, 9}, std::tuple{5, 4, 3}, std::tuple{2, 7, 30}, std::tuple{9, 9, 5}}) {
    Image canvasImage(w + 6, h + 6, Rgb{7, 7, 7});
    const Image bitmap = testing::patternImage(w, h, 3);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) canvasImage.setPixel(x + 3, y + 2, bitmap.pixel(x, y));
    }
    const Canvas canvas(canvasImage);
    shadeMatteEdgesRegion(canvas, 3, 2, w, h, canvas.bounds(), size, shadow);
    Image alone = bitmap.clone();
    ShadeMatteEdges(alone, size, shadow);
    for (int y = 0; y < h + 6; ++y) {
      for (int x = 0; x < w + 6; ++x) {
        const bool inside = x >= 3 && x < 3 + w && y >= 2 && y < 2 + h;
        ASSERT_EQ(canvasImage.pixel(x, y), inside ? alone.pixel(x - 3, y - 2) : (Rgb{7, 7, 7}))
            << w << "x" << h << " size " << size << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace lumabord
