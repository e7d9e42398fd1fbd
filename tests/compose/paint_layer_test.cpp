// PaintLayer: tiling from the layer's own corner, clipping, and the mask-size rule.
#include <gtest/gtest.h>

#include "compose/paint_layer.h"
#include "render_fixtures.h"

namespace lumabord {
namespace {

TEST(PaintLayerTest, TilesFromTheLayerCornerAndClipsAtEverySide) {
  const Image texture = testing::patternImage(5, 3, 9);
  for (const auto& [x, y, w, h] : {std::tuple{-7, -4, 20, 12}, std::tuple{2, 1, 9, 9},
                                   std::tuple{6, 5, 30, 30}, std::tuple{-3, 2, 4, 1}}) {
    Image target(10, 8, Rgb{1, 1, 1});
    PaintLayer(target, x, y, w, h, Rgb{}, &texture, nullptr);
    for (int ty = 0; ty < 8; ++ty) {
      for (int tx = 0; tx < 10; ++tx) {
        const bool covered = tx >= x && tx < x + w && ty >= y && ty < y + h;
        const Rgb expected = covered ? texture.pixel((tx - x) % 5, (ty - y) % 3) : Rgb{1, 1, 1};
        ASSERT_EQ(target.pixel(tx, ty), expected) << x << "," << y << " at " << tx << "," << ty;
      }
    }
  }
  Image target(4, 4, Rgb{1, 1, 1});
  PaintLayer(target, 4, 0, 3, 3, Rgb{9, 9, 9}, nullptr, nullptr);
  PaintLayer(target, -3, -3, 3, 10, Rgb{9, 9, 9}, nullptr, nullptr);
  EXPECT_TRUE(target == Image(4, 4, Rgb{1, 1, 1}));
}

TEST(PaintLayerTest, MaskShadesOnlyLayersAtLeastItsSize) {
  const BevelMask mask = testing::flatMask(5, 3, 64);  // halves every channel
  const Rgb colour{200, 100, 50};
  for (const auto& [w, h, shaded] :
       {std::tuple{5, 3, true}, std::tuple{9, 3, true}, std::tuple{4, 3, false},
        std::tuple{5, 2, false}, std::tuple{40, 1, false}}) {
    Image target(w, h);
    PaintLayer(target, 0, 0, w, h, colour, nullptr, &mask);
    EXPECT_EQ(target.pixel(w - 1, h - 1), shaded ? (Rgb{100, 50, 25}) : colour) << w << "x" << h;
  }
  // The rule looks at the whole layer, not the part inside the target.
  Image clipped(3, 2);
  PaintLayer(clipped, -2, -1, 5, 3, colour, nullptr, &mask);
  EXPECT_EQ(clipped.pixel(0, 0), (Rgb{100, 50, 25}));
}

TEST(PaintLayerTest, RegionPaintsExactlyThePixelsPaintLayerWouldInsideIt) {
  const Image texture = testing::patternImage(4, 6, 2);
  const BevelMask mask = testing::patternMask(7, 5, 11);
  Image full(23, 17, Rgb{3, 3, 3});
  PaintLayer(full, -2, 1, 22, 15, Rgb{}, &texture, &mask);
  Image part(23, 17, Rgb{3, 3, 3});
  const Rect region{5, 4, 9, 20};
  paintLayerRegion(Canvas(part), {-2, 1, 22, 15}, {Rgb{}, &texture, &mask}, region);
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 23; ++x) {
      const bool inside = x >= 5 && x < 14 && y >= 4;
      ASSERT_EQ(part.pixel(x, y), inside ? full.pixel(x, y) : (Rgb{3, 3, 3})) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace lumabord
