// Separable two-pass Lanczos-3 resampler with weights in 1/256 and truncating division.
//
// The weights are small integers and the pixel values bytes, so every partial sum of a
// contributor list stays below 2^24 (|sum| <= 255 x sum|w|; Lanczos-3 keeps sum|w| below
// 2048 at any scale, and lists of any filter are checked to stay within 65535):
// accumulating them in float is exact, and the quotient sum / total
// taken in double and truncated equals the integer quotient (an inexact quotient lies at
// least 1/|total| > 2^-24 from the next integer, far more than the double rounding error).
// This lets the compiler vectorise the multiply-adds while the result stays bit-identical
// to the plain integer loop.
#include "compose/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "base/error.h"
#include "base/rounding.h"
#include "compose/parallel_rows.h"

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define LUMABORD_PIXEL_LOOP __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define LUMABORD_PIXEL_LOOP
#endif

namespace lumabord {

Size FitWithin(int W, int H, int maxW, int maxH) {
  if (W == 0 || H == 0 || maxW == 0 || maxH == 0) return {W, H};
  const int64_t w = W, h = H, boxW = maxW, boxH = maxH;
  int64_t newW = boxW, newH = boxH;
  if (boxW * h >= w * boxH) {
    newW = boxH * w / h;
  } else {
    newH = boxW * h / w;
  }
  return {static_cast<int>(std::min(newW, w)), static_cast<int>(std::min(newH, h))};
}

float Lanczos3Filter(float x) {
  const auto sinc = [](float t) -> float {
    if (t == 0.0f) return 1.0f;
    const float u = static_cast<float>(std::numbers::pi * static_cast<double>(t));
    const float sine = static_cast<float>(std::sin(static_cast<double>(u)));
    return sine / u;
  };
  const float a = std::fabs(x);
  if (a >= 3.0f) return 0.0f;
  const float third = a / 3.0f;
  return sinc(a) * sinc(third);
}

namespace {

// Contributor lists of all target columns (or rows), flattened.
struct Contributors {
  std::vector<size_t> first;    // list i is [first[i], first[i + 1])
  std::vector<int> source;      // mirrored source index
  std::vector<float> weight;    // integer weight in 1/256, exact in float
  std::vector<double> total;    // sum of the list's weights
};

// Mirrors j into 0..n-1: about pixel 0 on the left, about the border behind the last
// pixel on the right. Sources much shorter than the filter support need more than one
// reflection; each round trip moves j 2n-1 closer, so the loop ends.
int mirrorIndex(int64_t j, int n) {
  while (j < 0 || j >= n) j = j < 0 ? -j : 2 * int64_t{n} - 1 - j;
  return static_cast<int>(j);
}

// Bound on the sum of a list's weight magnitudes that keeps every sum exact (see above).
constexpr int64_t kMaxWeightSum = 65535;

// Positions, scale and width are single-precision values; the expressions between them
// are evaluated in double before Floor, Ceil and the filter's single-precision argument.
Contributors buildContributors(int targetSize, int sourceSize, const ResampleFilter& filter,
                               float radius) {
  // A one-pixel target has no corner-to-corner scale ((1 - 1) / (n - 1) would be 0 and
  // every position infinite); it is scaled like a one-pixel source instead.
  const float scale = (sourceSize == 1 || targetSize == 1)
                          ? static_cast<float>(targetSize) / static_cast<float>(sourceSize)
                          : static_cast<float>(targetSize - 1) / static_cast<float>(sourceSize - 1);
  const bool reducing = scale < 1.0f;
  const float width = reducing ? radius / scale : radius;
  Contributors lists;
  lists.first.reserve(static_cast<size_t>(targetSize) + 1);
  lists.total.reserve(static_cast<size_t>(targetSize));
  lists.first.push_back(0);
  for (int i = 0; i < targetSize; ++i) {
    const float centre = static_cast<float>(i) / scale;
    const auto low = static_cast<int64_t>(std::floor(double{centre} - double{width}));
    const auto high = static_cast<int64_t>(std::ceil(double{centre} + double{width}));
    int64_t total = 0, magnitude = 0;
    for (int64_t j = low; j <= high; ++j) {
      const double distance = double{centre} - static_cast<double>(j);
      const double value =
          reducing ? double{filter(static_cast<float>(distance * double{scale}))} * double{scale}
                   : double{filter(static_cast<float>(distance))};
      if (!(std::fabs(value) <= kMaxWeightSum)) fail("Resampling filter value out of range");
      const int64_t w = roundHalfEven(value * 256.0);
      if (w == 0) continue;
      magnitude += w < 0 ? -w : w;
      if (magnitude > kMaxWeightSum) fail("Resampling filter weights out of range");
      lists.source.push_back(mirrorIndex(j, sourceSize));
      lists.weight.push_back(static_cast<float>(w));
      total += w;
    }
    lists.first.push_back(lists.source.size());
    lists.total.push_back(static_cast<double>(total));
  }
  return lists;
}

// One channel value from an exact sum: truncating division by a non-zero total, or, when
// the weights cancel, the sum shifted right by 8 as an unsigned number; then 0..255.
inline uint8_t finish(float sum, double total) {
  if (total != 0.0) {
    const double quotient = std::clamp(static_cast<double>(sum) / total, 0.0, 255.0);
    return static_cast<uint8_t>(quotient);
  }
  const uint32_t shifted = static_cast<uint32_t>(static_cast<int32_t>(sum)) >> 8;
  return static_cast<uint8_t>(std::min<uint32_t>(shifted, 255));
}

// The first pass works on blocks of source rows transposed so that one source pixel's
// channels of all rows of the block lie side by side: one weight then multiplies a whole
// vector of values.
constexpr int kBlockRows = 8;
constexpr int kBlockLanes = 3 * kBlockRows;

LUMABORD_PIXEL_LOOP
void horizontalBlock(const Image& source, int y0, int rows, const Contributors& lists,
                     float* planes, Image& middle) {
  const int sw = source.width();
  for (int r = 0; r < rows; ++r) {
    const uint8_t* in = source.row(y0 + r);
    for (int x = 0; x < sw; ++x) {
      float* lane = planes + static_cast<size_t>(x) * kBlockLanes + r;
      lane[0] = in[3 * x];
      lane[kBlockRows] = in[3 * x + 1];
      lane[2 * kBlockRows] = in[3 * x + 2];
    }
  }
  const int tw = middle.width();
  for (int i = 0; i < tw; ++i) {
    float acc[kBlockLanes] = {};
    for (size_t k = lists.first[i]; k < lists.first[i + 1]; ++k) {
      const float w = lists.weight[k];
      const float* values = planes + static_cast<size_t>(lists.source[k]) * kBlockLanes;
      for (int l = 0; l < kBlockLanes; ++l) acc[l] += w * values[l];
    }
    const double total = lists.total[i];
    for (int r = 0; r < rows; ++r) {
      uint8_t* out = middle.row(y0 + r) + 3 * static_cast<size_t>(i);
      for (int c = 0; c < 3; ++c) out[c] = finish(acc[c * kBlockRows + r], total);
    }
  }
}

// The second pass runs along rows of the intermediate image in chunks that keep the
// accumulators in the first-level cache.
constexpr size_t kChunk = 1024;

LUMABORD_PIXEL_LOOP
void verticalRows(const Image& middle, size_t begin, size_t end, const Contributors& lists,
                  float* acc, Image& target) {
  const size_t stride = middle.stride();
  for (size_t i = begin; i < end; ++i) {
    const double total = lists.total[i];
    uint8_t* out = target.row(static_cast<int>(i));
    for (size_t start = 0; start < stride; start += kChunk) {
      const size_t n = std::min(kChunk, stride - start);
      std::fill(acc, acc + n, 0.0f);
      for (size_t k = lists.first[i]; k < lists.first[i + 1]; ++k) {
        const float w = lists.weight[k];
        const uint8_t* values = middle.row(lists.source[k]) + start;
        for (size_t l = 0; l < n; ++l) acc[l] += w * static_cast<float>(values[l]);
      }
      for (size_t l = 0; l < n; ++l) out[start + l] = finish(acc[l], total);
    }
  }
}

// Enough pixels that a second thread pays for itself.
constexpr size_t kParallelPixels = 1 << 16;

void resampleInto(const Image& source, Image& target, int Tw, int Th,
                  const ResampleFilter& filter, float radius) {
  target.reshape(Tw, Th);
  const int sw = source.width(), sh = source.height();
  if (sw == 0 || sh == 0 || Tw == 0 || Th == 0) return;
  if (radius == 0.0f) radius = 3.0f;

  const Contributors columns = buildContributors(Tw, sw, filter, radius);
  Image middle(Tw, sh);
  {
    const size_t blocks = (static_cast<size_t>(sh) + kBlockRows - 1) / kBlockRows;
    const size_t work = static_cast<size_t>(Tw) * static_cast<size_t>(sh);
    std::vector<float> planes[kRowParts];
    for (auto& p : planes) p.resize(static_cast<size_t>(sw) * kBlockLanes);
    forRowsInParallel(blocks, work >= kParallelPixels ? 2 : blocks + 1,
                      [&](size_t begin, size_t end, int part) {
                        for (size_t b = begin; b < end; ++b) {
                          const int y0 = static_cast<int>(b) * kBlockRows;
                          horizontalBlock(source, y0, std::min(kBlockRows, sh - y0), columns,
                                          planes[part].data(), middle);
                        }
                      });
  }
  const Contributors rows = buildContributors(Th, sh, filter, radius);
  const size_t work = static_cast<size_t>(Tw) * static_cast<size_t>(Th);
  std::vector<float> acc[kRowParts];
  for (auto& a : acc) a.resize(kChunk);
  forRowsInParallel(static_cast<size_t>(Th), work >= kParallelPixels ? 2 : static_cast<size_t>(Th) + 1,
                    [&](size_t begin, size_t end, int part) {
                      verticalRows(middle, begin, end, rows, acc[part].data(), target);
                    });
}

}  // namespace

void Resample(const Image& source, Image& target, int Tw, int Th, const ResampleFilter& filter,
              float radius) {
  if (&source == &target) {
    Image result;
    resampleInto(source, result, Tw, Th, filter, radius);
    target = std::move(result);
    return;
  }
  resampleInto(source, target, Tw, Th, filter, radius);
}

void ResizeImage(const Image& source, Image& target, int newW, int newH) {
  Resample(source, target, newW == 1 ? 2 : newW, newH == 1 ? 2 : newH, Lanczos3Filter, 3.0f);
}

}  // namespace lumabord
