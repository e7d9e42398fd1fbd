// FitWithin values, Lanczos-3 resampling edge cases, and bit-identity of the vectorised,
// threaded resampler with a plain integer loop.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "base/error.h"
#include "base/rounding.h"
#include "compose/resample.h"
#include "compose/resample_kernels.h"

namespace lumabord {
namespace {

TEST(FitWithin, ExactIntegerProportions) {
  EXPECT_EQ(FitWithin(4000, 3000, 800, 600), (Size{800, 600}));
  EXPECT_EQ(FitWithin(800, 600, 800, 600), (Size{800, 600}));
  EXPECT_EQ(FitWithin(1024, 768, 800, 600), (Size{800, 600}));
  EXPECT_EQ(FitWithin(3000, 4000, 800, 600), (Size{450, 600}));
  EXPECT_EQ(FitWithin(3000, 2000, 800, 600), (Size{800, 533}));
  EXPECT_EQ(FitWithin(2000, 3000, 800, 600), (Size{400, 600}));
  EXPECT_EQ(FitWithin(1000, 700, 800, 600), (Size{800, 560}));
  EXPECT_EQ(FitWithin(640, 480, 800, 600), (Size{640, 480}));
  EXPECT_EQ(FitWithin(1000, 10, 800, 1), (Size{100, 1}));
  EXPECT_EQ(FitWithin(6500, 4500, 800, 600), (Size{800, 553}));
}

TEST(FitWithin, ZeroInputReturnsTheImageSize) {
  EXPECT_EQ(FitWithin(100, 0, 800, 600), (Size{100, 0}));
  EXPECT_EQ(FitWithin(0, 50, 800, 600), (Size{0, 50}));
  EXPECT_EQ(FitWithin(300, 200, 0, 600), (Size{300, 200}));
  EXPECT_EQ(FitWithin(300, 200, 800, 0), (Size{300, 200}));
}

TEST(FitWithin, LargeSidesDoNotOverflow) {
  EXPECT_EQ(FitWithin(1 << 20, 1 << 20, 1 << 20, 1 << 19), (Size{1 << 19, 1 << 19}));
}

TEST(Lanczos3, ValuesAndSupport) {
  EXPECT_EQ(Lanczos3Filter(0.0f), 1.0f);
  EXPECT_EQ(Lanczos3Filter(3.0f), 0.0f);
  EXPECT_EQ(Lanczos3Filter(-7.5f), 0.0f);
  EXPECT_NEAR(Lanczos3Filter(0.5f), 0.6079271f, 1e-6f);
  EXPECT_NEAR(Lanczos3Filter(-1.5f), -0.1350949f, 1e-6f);
  EXPECT_EQ(Lanczos3Filter(1.25f), Lanczos3Filter(-1.25f));
  // Whole-number distances give values that round to weight 0.
  for (float k : {1.0f, 2.0f}) EXPECT_LT(std::fabs(Lanczos3Filter(k)) * 256.0f, 0.5f);
}

// The resampler written out as plainly as possible, in 32-bit integers.
std::vector<std::vector<std::pair<int, int32_t>>> referenceLists(int target, int source,
                                                                 const ResampleFilter& filter,
                                                                 float radius) {
  const float scale = (source == 1 || target == 1)
                          ? static_cast<float>(target) / static_cast<float>(source)
                          : static_cast<float>(target - 1) / static_cast<float>(source - 1);
  const bool reducing = scale < 1.0f;
  const float width = reducing ? radius / scale : radius;
  std::vector<std::vector<std::pair<int, int32_t>>> lists(static_cast<size_t>(target));
  for (int i = 0; i < target; ++i) {
    const float centre = static_cast<float>(i) / scale;
    const int low = static_cast<int>(std::floor(double{centre} - double{width}));
    const int high = static_cast<int>(std::ceil(double{centre} + double{width}));
    for (int j = low; j <= high; ++j) {
      const double d = double{centre} - j;
      const double f = reducing ? double{filter(static_cast<float>(d * scale))} * scale
                                : double{filter(static_cast<float>(d))};
      const auto w = static_cast<int32_t>(roundHalfEven(f * 256.0));
      if (w == 0) continue;
      int p = j;
      while (p < 0 || p >= source) p = p < 0 ? -p : 2 * source - 1 - p;
      lists[static_cast<size_t>(i)].push_back({p, w});
    }
  }
  return lists;
}

uint8_t combine(const std::vector<std::pair<int, int32_t>>& list, auto value) {
  int32_t sum = 0, total = 0;
  for (const auto& [p, w] : list) {
    sum += w * value(p);
    total += w;
  }
  int64_t v = total != 0 ? sum / total : static_cast<int64_t>(static_cast<uint32_t>(sum) >> 8);
  return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

Image referenceResample(const Image& s, int tw, int th,
                        const ResampleFilter& filter = Lanczos3Filter, float radius = 3.0f) {
  const auto columns = referenceLists(tw, s.width(), filter, radius);
  const auto rows = referenceLists(th, s.height(), filter, radius);
  Image m(tw, s.height()), t(tw, th);
  for (int y = 0; y < s.height(); ++y)
    for (int i = 0; i < tw; ++i)
      for (int c = 0; c < 3; ++c)
        m.row(y)[3 * i + c] = combine(columns[static_cast<size_t>(i)],
                                      [&](int p) { return int32_t{s.row(y)[3 * p + c]}; });
  for (int x = 0; x < tw; ++x)
    for (int i = 0; i < th; ++i)
      for (int c = 0; c < 3; ++c)
        t.row(i)[3 * x + c] = combine(rows[static_cast<size_t>(i)],
                                      [&](int p) { return int32_t{m.row(p)[3 * x + c]}; });
  return t;
}

Image noise(int w, int h, uint32_t seed) {
  Image image(w, h);
  for (size_t i = 0; i < image.sizeBytes(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    // Mostly extremes, so that over- and undershoots reach the clamp often.
    const uint8_t v = static_cast<uint8_t>(seed >> 24);
    image.data()[i] = v < 96 ? 0 : v > 160 ? 255 : v;
  }
  return image;
}

TEST(Resample, MatchesThePlainIntegerLoop) {
  const struct {
    int sw, sh, tw, th;
  } cases[] = {{37, 23, 11, 7},    {13, 9, 40, 31}, {640, 480, 317, 211}, {97, 300, 411, 80},
               {1000, 10, 100, 2}, {3, 2, 17, 13},  {1, 1, 5, 4},         {1, 12, 3, 2},
               {250, 1, 60, 2},    {5, 5, 5, 5},    {401, 333, 401, 100}, {2, 900, 2, 3},
               {300, 260, 1, 1},   {7, 1, 2, 1},    {4000, 3, 800, 2},    {3, 4000, 2, 800}};
  for (const auto& c : cases) {
    const Image source = noise(c.sw, c.sh, static_cast<uint32_t>(c.sw * 7919 + c.sh));
    Image target;
    Resample(source, target, c.tw, c.th, Lanczos3Filter, 0.0f);
    ASSERT_EQ(target.width(), c.tw);
    ASSERT_EQ(target.height(), c.th);
    EXPECT_TRUE(target == referenceResample(source, c.tw, c.th))
        << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th;
  }
}

// Sizes that end the eight-window blocks of the dot products at every remainder, one-pixel
// sides, extreme ratios both ways, a ring that wraps many times, and few target rows split
// over both threads.
TEST(Resample, MatchesThePlainIntegerLoopAtAwkwardSizes) {
  const struct {
    int sw, sh, tw, th;
  } cases[] = {{1, 1, 1, 1},        {1, 9, 1, 4},         {9, 1, 4, 1},      {1, 30, 7, 1},
               {29, 31, 9, 15},     {29, 31, 15, 9},      {100, 60, 17, 23}, {100, 60, 23, 17},
               {6000, 5, 2, 5},     {5, 6000, 5, 2},      {3, 2, 400, 300},  {2, 3, 333, 401},
               {2000, 40, 1000, 3}, {700, 1200, 31, 600}, {1, 1, 300, 250},  {640, 1, 1, 1}};
  for (const auto& c : cases) {
    const Image source = noise(c.sw, c.sh, static_cast<uint32_t>(c.sw * 31 + c.sh * 17));
    Image target;
    Resample(source, target, c.tw, c.th, Lanczos3Filter, 3.0f);
    EXPECT_TRUE(target == referenceResample(source, c.tw, c.th))
        << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th;
  }
}

TEST(Resample, OtherFiltersMatchThePlainIntegerLoop) {
  // The preview's box filter with half-pixel radius, and an odd filter whose weights cancel:
  // every list's total is 0, so each value is its sum shifted right by 8 as unsigned (a
  // negative sum ends as 255), in both passes.
  const ResampleFilter box = [](float x) { return std::fabs(x) <= 0.5f ? 1.0f : 0.0f; };
  const ResampleFilter odd = [](float x) { return x > 0.0f ? 0.5f : x < 0.0f ? -0.5f : 0.0f; };
  const Image source = noise(301, 203, 77);
  for (const Size size : {Size{100, 67}, Size{37, 203}, Size{301, 203}, Size{450, 20}}) {
    Image target;
    Resample(source, target, size.width, size.height, box, 0.5f);
    EXPECT_TRUE(target == referenceResample(source, size.width, size.height, box, 0.5f))
        << "box " << size.width << "x" << size.height;
    Resample(source, target, size.width, size.height, odd, 3.0f);
    EXPECT_TRUE(target == referenceResample(source, size.width, size.height, odd, 3.0f))
        << "odd " << size.width << "x" << size.height;
  }
}

TEST(WindowSums, BothFormsGiveTheExactDotProducts) {
  // Every remainder of the eight-window blocks, one to three blocks of taps, offsets at
  // every alignment, and the largest products (255 x -32767 would still fit many times).
  uint32_t seed = 99;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (size_t taps : {size_t{16}, size_t{32}, size_t{48}}) {
    for (size_t count = 1; count <= 19; ++count) {
      const size_t length = count + taps + 7;
      std::vector<int16_t> lines[3];
      for (auto& line : lines) {
        line.resize(length);
        for (auto& v : line) v = static_cast<int16_t>(next() >> 24);
      }
      std::vector<int16_t> weight(count * taps);
      for (size_t k = 0; k < weight.size(); ++k)
        weight[k] = k % 13 == 0 ? int16_t{-32767}
                                : static_cast<int16_t>(static_cast<int>(next() >> 23) - 256);
      std::vector<int> offset(count);
      for (size_t i = 0; i < count; ++i) offset[i] = static_cast<int>((i * 5 + next() % 3) % 8);
      const int16_t* const planes[3] = {lines[0].data(), lines[1].data(), lines[2].data()};
      const WeightWindows windows{weight.data(), offset.data(), count, taps};
      std::vector<int32_t> expected(3 * count);
      for (size_t c = 0; c < 3; ++c)
        for (size_t i = 0; i < count; ++i) {
          int64_t sum = 0;
          for (size_t k = 0; k < taps; ++k)
            sum += int64_t{weight[i * taps + k]} * lines[c][static_cast<size_t>(offset[i]) + k];
          expected[c * count + i] = static_cast<int32_t>(sum);
        }
      std::vector<int32_t> sums(3 * count);
      windowSumsPortable(planes, windows, sums.data());
      EXPECT_EQ(sums, expected) << "portable, taps " << taps << ", count " << count;
      if (haveWindowSumsAvx2()) {
        std::fill(sums.begin(), sums.end(), 0);
        windowSumsAvx2(planes, windows, sums.data());
        EXPECT_EQ(sums, expected) << "AVX2, taps " << taps << ", count " << count;
      }
    }
  }
}

TEST(Resample, EqualSizesGiveTheSourceExactly) {
  const Image source = noise(123, 77, 5);
  Image target;
  ResizeImage(source, target, 123, 77);
  EXPECT_TRUE(target == source);
}

TEST(Resample, SourceAndTargetMayBeTheSameImage) {
  Image image = noise(50, 40, 9);
  const Image expected = referenceResample(image, 20, 16);
  Resample(image, image, 20, 16, Lanczos3Filter, 3.0f);
  EXPECT_TRUE(image == expected);
}

TEST(ResizeImage, SidesOfOneBecomeTwo) {
  const Image source(1, 1, Rgb{10, 20, 30});
  Image target;
  ResizeImage(source, target, 1, 1);
  ASSERT_EQ(target.width(), 2);
  ASSERT_EQ(target.height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(target.pixel(x, y), (Rgb{10, 20, 30}));

  const Image wide = noise(1000, 10, 3);
  ResizeImage(wide, target, 100, 1);
  EXPECT_EQ(target.width(), 100);
  EXPECT_EQ(target.height(), 2);
}

TEST(Resample, FlatAreasStayFlat) {
  const Image source(333, 71, Rgb{200, 7, 128});
  for (const Size size : {Size{41, 9}, Size{800, 333}, Size{2, 2}}) {
    Image target;
    ResizeImage(source, target, size.width, size.height);
    for (int y = 0; y < target.height(); ++y)
      for (int x = 0; x < target.width(); ++x) ASSERT_EQ(target.pixel(x, y), (Rgb{200, 7, 128}));
  }
}

TEST(Resample, MirroredEdgesOfAOneRowSource) {
  // One row: every vertical list mirrors onto row 0, so rows repeat the row's own result.
  Image row(4, 1);
  for (int x = 0; x < 4; ++x) row.setPixel(x, 0, Rgb{static_cast<uint8_t>(60 * x), 0, 255});
  Image target;
  Resample(row, target, 4, 3, Lanczos3Filter, 3.0f);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(target.pixel(x, y), row.pixel(x, 0)) << x << "," << y;
}

TEST(Resample, MirroredEdgesOfTwoPixels) {
  // 2 -> 3 pixels: the middle target pixel has taps at -2..4, mirrored to 2,1,0,1,1,0,... .
  Image source(2, 1);
  source.setPixel(0, 0, Rgb{0, 0, 0});
  source.setPixel(1, 0, Rgb{255, 255, 255});
  Image target;
  Resample(source, target, 3, 1, Lanczos3Filter, 3.0f);
  EXPECT_TRUE(target == referenceResample(source, 3, 1));
  EXPECT_EQ(target.pixel(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(target.pixel(2, 0), (Rgb{255, 255, 255}));
}

TEST(Resample, DarkLightEdgesAreClamped) {
  // A hard step enlarged 8 times: the lobes overshoot beyond 255 and under 0 next to the
  // step, and the clamp holds them at the ends, while the far sides stay exact.
  Image source(8, 2);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 2; ++y) source.setPixel(x, y, x < 4 ? Rgb{0, 0, 0} : Rgb{255, 255, 255});
  Image target;
  Resample(source, target, 57, 2, Lanczos3Filter, 3.0f);
  EXPECT_TRUE(target == referenceResample(source, 57, 2));
  // The lobes ring on both flat sides (8 above black, 247 below white) ...
  EXPECT_EQ(target.pixel(13, 0).r, 8);
  EXPECT_EQ(target.pixel(43, 0).r, 247);
  // ... and right next to the step the undershoot and overshoot end at 0 and 255.
  for (int x = 16; x <= 24; ++x) EXPECT_EQ(target.pixel(x, 0).r, 0) << x;
  for (int x = 32; x <= 40; ++x) EXPECT_EQ(target.pixel(x, 0).r, 255) << x;
  EXPECT_EQ(target.pixel(28, 0), (Rgb{127, 127, 127}));
}

TEST(Resample, ZeroSizesGiveAnEmptyTarget) {
  const Image source = noise(10, 10, 1);
  Image target(5, 5);
  Resample(source, target, 0, 7, Lanczos3Filter, 3.0f);
  EXPECT_EQ(target.width(), 0);
  EXPECT_EQ(target.height(), 7);
  Image none;
  Resample(none, target, 4, 4, Lanczos3Filter, 3.0f);
  EXPECT_EQ(target.width(), 4);
}

TEST(Resample, OutOfRangeFilterIsAnError) {
  const Image source = noise(10, 10, 1);
  Image target;
  EXPECT_THROW(Resample(
                   source, target, 4, 4, [](float) { return 1e9f; }, 3.0f),
               Error);
  EXPECT_THROW(Resample(
                   source, target, 4, 4, [](float) { return NAN; }, 3.0f),
               Error);
}

}  // namespace
}  // namespace lumabord
