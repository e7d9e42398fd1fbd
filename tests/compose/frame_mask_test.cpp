// ApplyFrameMask: the three shading rules, the nine zones and masks of unusual sizes.
#include <gtest/gtest.h>

#include "compose/frame_mask.h"
#include "render_fixtures.h"

namespace lumabord {
namespace {

// A 1 x 1 mask shades every pixel of the block with the same value.
uint8_t shadeOne(uint8_t v, uint8_t m) {
  Image block(1, 1, Rgb{v, v, v});
  ApplyFrameMask(block, testing::flatMask(1, 1, m));
  return block.pixel(0, 0).r;
}

TEST(FrameMaskShading, DarkenKeepAndLightenRules) {
  // m <= 126: floor(v * m / 128).
  EXPECT_EQ(shadeOne(200, 64), 100);
  EXPECT_EQ(shadeOne(255, 126), 251);  // 251.02
  EXPECT_EQ(shadeOne(3, 43), 1);       // 1.008
  EXPECT_EQ(shadeOne(255, 0), 0);
  EXPECT_EQ(shadeOne(127, 1), 0);  // 0.99
  // 127 and 128 keep the value.
  for (int v : {0, 1, 77, 254, 255}) {
    EXPECT_EQ(shadeOne(static_cast<uint8_t>(v), 127), v);
    EXPECT_EQ(shadeOne(static_cast<uint8_t>(v), 128), v);
  }
  // m >= 129: v + floor((255 - v) * (m - 128) / 128).
  EXPECT_EQ(shadeOne(100, 129), 101);  // 100 + 1.21
  EXPECT_EQ(shadeOne(0, 192), 127);    // 127.5
  EXPECT_EQ(shadeOne(0, 255), 253);    // just short of white
  EXPECT_EQ(shadeOne(254, 255), 254);  // 0.99 added
  EXPECT_EQ(shadeOne(255, 255), 255);
  // Over every v and m the result stays in range, darkens below 127 and lightens above 128.
  for (int m = 0; m < 256; ++m) {
    for (int v = 0; v < 256; ++v) {
      const int out = shadeByte(static_cast<uint8_t>(v), static_cast<uint8_t>(m));
      ASSERT_TRUE(m > 128 ? out >= v : out <= v) << v << " " << m;
      ASSERT_TRUE(m < 127 ? out <= v : out >= v) << v << " " << m;
    }
  }
}

TEST(FrameMaskShading, ChannelsAreShadedAlike) {
  Image block(1, 1, Rgb{10, 200, 255});
  ApplyFrameMask(block, testing::flatMask(1, 1, 32));
  EXPECT_EQ(block.pixel(0, 0), (Rgb{2, 50, 63}));
  ApplyFrameMask(block, testing::flatMask(1, 1, 224));
  // 2 + floor(253 * 96 / 128) = 191, 50 + floor(205 * 0.75) = 203, 63 + 144 = 207.
  EXPECT_EQ(block.pixel(0, 0), (Rgb{191, 203, 207}));
}

// Applies a mask with distinct darkening values to a white w x h block and reads back, for
// every pixel, which mask entry shaded it: with v = 255 and m <= 126, floor(255 m / 128)
// differs for every m.
std::vector<std::vector<std::pair<int, int>>> zonesOf(int w, int h, int wm, int hm) {
  BevelMask mask{wm, hm, {}};
  for (int i = 0; i < wm * hm; ++i) mask.values.push_back(static_cast<uint8_t>(i % 126));
  Image block(w, h, Rgb{255, 255, 255});
  ApplyFrameMask(block, mask);
  std::vector<std::vector<std::pair<int, int>>> zones(static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int shaded = block.pixel(x, y).g;
      int found = -1;
      for (int i = 0; i < wm * hm && found < 0; ++i) {
        if (255 * (i % 126) / 128 == shaded) found = i;
      }
      zones[static_cast<size_t>(y)].emplace_back(found % wm, found / wm);
    }
  }
  return zones;
}

void expectZones(int w, int h, int wm, int hm, const std::vector<int>& columns,
                 const std::vector<int>& rows) {
  const auto zones = zonesOf(w, h, wm, hm);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      EXPECT_EQ(zones[static_cast<size_t>(y)][static_cast<size_t>(x)],
                std::make_pair(columns[static_cast<size_t>(x)], rows[static_cast<size_t>(y)]))
          << "pixel " << x << "," << y << " of " << w << "x" << h << " under " << wm << "x" << hm;
    }
  }
}

TEST(FrameMaskZones, CornersCopyEdgesStretchCentreIsOneValue) {
  // 5 x 5 mask over 8 x 7: hw = hh = 2; right columns use Wm - (w - x), bottom rows Hm - (h - y).
  expectZones(8, 7, 5, 5, {0, 1, 2, 2, 2, 2, 3, 4}, {0, 1, 2, 2, 2, 3, 4});
  // A block of exactly the mask's size is the mask itself.
  expectZones(3, 5, 3, 5, {0, 1, 2}, {0, 1, 2, 3, 4});
}

TEST(FrameMaskZones, EvenAndSingleSizedMasksStayInsideTheMask) {
  // Even: the middle entry is Wm / 2 and the last Wm / 2 positions take the last entries.
  expectZones(7, 6, 4, 2, {0, 1, 2, 2, 2, 2, 3}, {0, 1, 1, 1, 1, 1});
  expectZones(4, 4, 4, 4, {0, 1, 2, 3}, {0, 1, 2, 3});
  // 1 pixel wide or high: no corner zones, every position uses entry 0.
  expectZones(5, 3, 1, 3, {0, 0, 0, 0, 0}, {0, 1, 2});
  expectZones(3, 2, 2, 1, {0, 1, 1}, {0, 0});
  // Blocks shorter than the mask (PaintLayer never asks for them) still index inside it.
  for (int maskSize = 1; maskSize <= 9; ++maskSize) {
    for (int size = 1; size <= 12; ++size) {
      for (int pos = 0; pos < size; ++pos) {
        const int index = maskIndex(pos, size, maskSize);
        ASSERT_TRUE(index >= 0 && index < maskSize) << pos << " " << size << " " << maskSize;
      }
    }
  }
}

TEST(FrameMaskZones, NeutralBandsAndNeutralMasksLeaveTheBlockAsItWas) {
  const Image original = testing::patternImage(11, 9, 4);
  // Middle row and column 127 or 128 (the large bands), corners darkening.
  BevelMask mask = testing::flatMask(5, 5, 20);
  for (int i = 0; i < 5; ++i) {
    mask.values[static_cast<size_t>(2 * 5 + i)] = 127;
    mask.values[static_cast<size_t>(i * 5 + 2)] = 128;
  }
  Image block = original.clone();
  ApplyFrameMask(block, mask);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 11; ++x) {
      const bool corner = (x < 2 || x >= 9) && (y < 2 || y >= 7);
      if (corner) {
        EXPECT_NE(block.pixel(x, y), original.pixel(x, y)) << x << "," << y;
      } else {
        EXPECT_EQ(block.pixel(x, y), original.pixel(x, y)) << x << "," << y;
      }
    }
  }
  for (uint8_t neutral : {uint8_t{127}, uint8_t{128}}) {
    Image whole = original.clone();
    ApplyFrameMask(whole, testing::flatMask(7, 3, neutral));
    EXPECT_TRUE(whole == original);
  }
}

}  // namespace
}  // namespace lumabord
