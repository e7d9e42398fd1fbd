// Separable two-pass Lanczos-3 resampler with weights in 1/256 and truncating division.
//
// Both passes are integer multiply-adds of 16-bit weights with bytes into 32-bit sums, so
// they vectorise while the result stays bit-identical to the plain integer loop. Target
// rows are produced in order, each from a small ring of horizontally resampled source
// rows, so the intermediate image never exists whole.
#include "compose/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include "base/error.h"
#include "base/rounding.h"
#include "compose/parallel_rows.h"
#include "compose/resample_kernels.h"

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

// The contributor lists of all target columns (or rows), each stored densely: list i
// weighs the positions offset[i] .. offset[i] + taps - 1 of the source line extended by
// its mirror images (position q is source index mirror[q]), zero where the list has no
// pair. Zero weights add nothing, so the dense sums equal the sums over the lists' pairs,
// and every list reads one contiguous run, which the multiply-adds vectorise over.
struct Windows {
  int taps = 0;                    // a multiple of kTapBlock
  std::vector<int> offset;         // first extended position of each list
  std::vector<int16_t> weight;     // taps weights in 1/256 per list
  std::vector<int32_t> total;      // sum of each list's weights
  std::vector<double> reciprocal;  // 1 / total, or 0 when total is 0
  std::vector<size_t> cancelling;  // the lists whose total is 0
  std::vector<int> mirror;         // source index of each extended position
  int before = 0;                  // extended positions in front of source index 0
  int reach = 1;                   // most source indices one list spans (ring size)
};

constexpr int kTapBlock = 16;

// Mirrors j into 0..n-1: about pixel 0 on the left, about the border behind the last
// pixel on the right. Sources much shorter than the filter support need more than one
// reflection; each round trip moves j 2n-1 closer, so the loop ends.
int mirrorIndex(int64_t j, int n) {
  while (j < 0 || j >= n) j = j < 0 ? -j : 2 * int64_t{n} - 1 - j;
  return static_cast<int>(j);
}

// Bound on the sum of a list's weight magnitudes: every weight then fits 16 bits and every
// sum of products with bytes stays far inside 32 bits (255 x 32767 < 2^23).
constexpr int64_t kMaxWeightSum = 32767;

// Positions, scale and width are single-precision values; the expressions between them
// are evaluated in double before Floor, Ceil and the filter's single-precision argument.
Windows buildWindows(int targetSize, int sourceSize, const ResampleFilter& filter, float radius) {
  // A one-pixel target has no corner-to-corner scale ((1 - 1) / (n - 1) would be 0 and
  // every position infinite); it is scaled like a one-pixel source instead.
  const float scale = (sourceSize == 1 || targetSize == 1)
                          ? static_cast<float>(targetSize) / static_cast<float>(sourceSize)
                          : static_cast<float>(targetSize - 1) / static_cast<float>(sourceSize - 1);
  const bool reducing = scale < 1.0f;
  const float width = reducing ? radius / scale : radius;

  // The lists with their zero weights dropped at both ends, by source position j.
  struct Run {
    int64_t first = 0;
    std::vector<int16_t> weight;
  };
  std::vector<Run> runs(static_cast<size_t>(targetSize));
  Windows windows;
  windows.total.reserve(static_cast<size_t>(targetSize));
  int64_t lowest = 0, highest = 0, longest = 1;
  for (int i = 0; i < targetSize; ++i) {
    const float centre = static_cast<float>(i) / scale;
    const auto low = static_cast<int64_t>(std::floor(double{centre} - double{width}));
    const auto high = static_cast<int64_t>(std::ceil(double{centre} + double{width}));
    Run& run = runs[static_cast<size_t>(i)];
    int64_t total = 0, magnitude = 0, last = low;
    run.first = low;
    int lowSource = sourceSize, highSource = -1;
    for (int64_t j = low; j <= high; ++j) {
      const double distance = double{centre} - static_cast<double>(j);
      const double value =
          reducing ? double{filter(static_cast<float>(distance * double{scale}))} * double{scale}
                   : double{filter(static_cast<float>(distance))};
      if (!(std::fabs(value) <= kMaxWeightSum)) fail("Resampling filter value out of range");
      const int64_t w = roundHalfEven(value * 256.0);
      if (w == 0) {
        if (run.weight.empty()) run.first = j + 1;
        continue;
      }
      magnitude += w < 0 ? -w : w;
      if (magnitude > kMaxWeightSum) fail("Resampling filter weights out of range");
      run.weight.resize(static_cast<size_t>(j - run.first + 1), 0);
      run.weight.back() = static_cast<int16_t>(w);
      last = j;
      total += w;
      const int p = mirrorIndex(j, sourceSize);
      lowSource = std::min(lowSource, p);
      highSource = std::max(highSource, p);
    }
    if (run.weight.empty()) run.first = last = low;  // no pair: the value is 0 / 0
    lowest = std::min(lowest, run.first);
    highest = std::max(highest, last);
    longest = std::max<int64_t>(longest, static_cast<int64_t>(run.weight.size()));
    windows.reach = std::max(windows.reach, highSource - lowSource + 1);
    windows.total.push_back(static_cast<int32_t>(total));
    windows.reciprocal.push_back(total != 0 ? 1.0 / static_cast<double>(total) : 0.0);
    if (total == 0) windows.cancelling.push_back(static_cast<size_t>(i));
  }

  windows.taps = static_cast<int>((longest + kTapBlock - 1) / kTapBlock * kTapBlock);
  windows.before = static_cast<int>(-lowest);
  const int64_t extended = std::max<int64_t>(highest, sourceSize - 1) - lowest + 1 + windows.taps;
  windows.mirror.resize(static_cast<size_t>(extended));
  for (int64_t q = 0; q < extended; ++q)
    windows.mirror[static_cast<size_t>(q)] = mirrorIndex(q + lowest, sourceSize);
  windows.offset.resize(static_cast<size_t>(targetSize));
  windows.weight.assign(static_cast<size_t>(targetSize) * static_cast<size_t>(windows.taps), 0);
  for (size_t i = 0; i < runs.size(); ++i) {
    windows.offset[i] = static_cast<int>(runs[i].first - lowest);
    std::copy(
        runs[i].weight.begin(), runs[i].weight.end(),
        windows.weight.begin() + static_cast<ptrdiff_t>(i * static_cast<size_t>(windows.taps)));
  }
  return windows;
}

// One channel value from a list's sum: truncating division by a non-zero total, or, when
// the weights cancel, the sum shifted right by 8 as an unsigned number; then 0..255.
// The division is a multiplication by the double reciprocal: two roundings, so for a
// quotient within -1..257 the product is within 2^-43 of it. An inexact quotient lies at
// least 1 / |total| >= 2^-15 below the next integer, so lifting the product by 2^-20 moves
// exact quotients above their integer without moving any other one past the next:
// truncation gives the integer quotient, and everything beyond clamps the same either way.
inline uint8_t finish(int32_t sum, double reciprocal) {
  constexpr double kLift = 0x1p-20;
  const double quotient = std::clamp(static_cast<double>(sum) * reciprocal + kLift, 0.0, 255.0);
  return static_cast<uint8_t>(quotient);
}

inline uint8_t finishZeroTotal(int32_t sum) {
  const uint32_t shifted = static_cast<uint32_t>(sum) >> 8;
  return static_cast<uint8_t>(std::min<uint32_t>(shifted, 255));
}

// Working arrays of one thread.
struct Scratch {
  std::vector<int16_t> planes;       // one source row unpacked: 3 extended lines
  std::vector<int32_t> sums;         // 3 x target width, by channel or interleaved
  std::vector<uint8_t> ring;         // horizontally resampled rows, reach of them
  std::vector<int> ringRow;          // source row held by each ring slot, -1 for none
  std::vector<const uint8_t*> taps;  // ring rows of one vertical list
};

// First pass over one source row: unpacks it into three 16-bit lines extended by their
// mirror images, then takes each column's dense dot products.
LUMABORD_PIXEL_LOOP
void horizontalRow(const uint8_t* in, const uint8_t* next, int sw, const Windows& columns,
                   Scratch& scratch, uint8_t* out) {
  const size_t extended = columns.mirror.size();
  int16_t* const red = scratch.planes.data();
  int16_t* const green = red + extended;
  int16_t* const blue = green + extended;
  const size_t before = static_cast<size_t>(columns.before);
  for (size_t q = 0; q < before; ++q) {
    const uint8_t* p = in + 3 * static_cast<size_t>(columns.mirror[q]);
    red[q] = p[0], green[q] = p[1], blue[q] = p[2];
  }
  for (size_t x = 0; x < static_cast<size_t>(sw); ++x) {
    red[before + x] = in[3 * x];
    green[before + x] = in[3 * x + 1];
    blue[before + x] = in[3 * x + 2];
  }
  for (size_t q = before + static_cast<size_t>(sw); q < extended; ++q) {
    const uint8_t* p = in + 3 * static_cast<size_t>(columns.mirror[q]);
    red[q] = p[0], green[q] = p[1], blue[q] = p[2];
  }

  const size_t tw = columns.offset.size();
  const int16_t* const lines[3] = {red, green, blue};
  int32_t* const sums = scratch.sums.data();
  windowSums(lines,
             {columns.weight.data(), columns.offset.data(), tw, static_cast<size_t>(columns.taps),
              next, next != nullptr ? 3 * static_cast<size_t>(sw) : 0},
             sums);
  const double* reciprocal = columns.reciprocal.data();
  for (size_t i = 0; i < tw; ++i) {
    out[3 * i] = finish(sums[i], reciprocal[i]);
    out[3 * i + 1] = finish(sums[tw + i], reciprocal[i]);
    out[3 * i + 2] = finish(sums[2 * tw + i], reciprocal[i]);
  }
  for (const size_t i : columns.cancelling)
    for (size_t c = 0; c < 3; ++c) out[3 * i + c] = finishZeroTotal(sums[c * tw + i]);
}

// Second pass for one target row from the ring rows of its list's taps (null for the
// zero weights).
LUMABORD_PIXEL_LOOP
void verticalRow(const uint8_t* const* rows, const int16_t* weight, size_t taps, int32_t total,
                 double reciprocal, size_t n, int32_t* sums, uint8_t* out) {
  std::fill(sums, sums + n, 0);
  size_t k = 0;
  while (k < taps) {
    // Two rows at a time halve the passes over the sums.
    if (rows[k] == nullptr) {
      ++k;
      continue;
    }
    size_t k2 = k + 1;
    while (k2 < taps && rows[k2] == nullptr) ++k2;
    const int32_t w0 = weight[k];
    const uint8_t* a = rows[k];
    if (k2 < taps) {
      const int32_t w1 = weight[k2];
      const uint8_t* b = rows[k2];
      for (size_t x = 0; x < n; ++x) sums[x] += w0 * a[x] + w1 * b[x];
    } else {
      for (size_t x = 0; x < n; ++x) sums[x] += w0 * a[x];
    }
    k = k2 + 1;
  }
  if (total != 0) {
    for (size_t x = 0; x < n; ++x) out[x] = finish(sums[x], reciprocal);
  } else {
    for (size_t x = 0; x < n; ++x) out[x] = finishZeroTotal(sums[x]);
  }
}

// The source rows of an Image, all at hand.
struct ImageRows {
  const Image& image;
  const uint8_t* row(int y) const { return image.row(y); }
  // The row after y, to be fetched into the cache while y is resampled.
  const uint8_t* next(int y) const { return y + 1 < image.height() ? image.row(y + 1) : nullptr; }
  void release(int) const {}
};

// The source rows of a painted picture, painted kBandRows at a time into band: the
// horizontal pass reads each row while it is still in the cache. Bands start at multiples
// of kBandRows, so rows asked for out of order (mirrored at the edges) mostly fall into the
// band in hand.
class PaintedRows {
 public:
  static constexpr int kBandRows = 16;

  PaintedRows(const RowPainter& paint, int width, int height, std::vector<uint8_t>& band)
      : paint_(paint), height_(height), stride_(3 * static_cast<size_t>(width)), band_(band) {}
  const uint8_t* row(int y) const {
    if (y < first_ || y >= first_ + count_) {
      first_ = y / kBandRows * kBandRows;
      count_ = std::min(kBandRows, height_ - first_);
      paint_(first_, count_, band_.data(), stride_);
    }
    return at(y);
  }
  const uint8_t* next(int y) const { return y + 1 < first_ + count_ ? at(y + 1) : nullptr; }
  void release(int) const {}

 private:
  const uint8_t* at(int y) const {
    return band_.data() + static_cast<size_t>(y - first_) * stride_;
  }
  const RowPainter& paint_;
  int height_;
  size_t stride_;
  std::vector<uint8_t>& band_;
  mutable int first_ = 0;
  mutable int count_ = 0;
};

// The source rows of a RowSource, asked for as they are needed.
struct StreamRows {
  RowSource& source;
  const uint8_t* row(int y) const { return source.row(y); }
  const uint8_t* next(int) const { return nullptr; }
  void release(int y) const { source.release(y); }
};

// The lowest and highest source row that the list of target row i reads.
std::pair<int, int> sourceRange(const Windows& rows, size_t i) {
  const size_t taps = static_cast<size_t>(rows.taps);
  int low = std::numeric_limits<int>::max(), high = 0;
  for (size_t k = 0; k < taps; ++k) {
    if (rows.weight[i * taps + k] == 0) continue;
    const int y = rows.mirror[static_cast<size_t>(rows.offset[i]) + k];
    low = std::min(low, y);
    high = std::max(high, y);
  }
  return {low, high};
}

// For each target row, the lowest source row it or any later target row reads: rows below
// it can be released once that target row is reached.
std::vector<int> lowestRowsAhead(const Windows& rows) {
  std::vector<int> lowest(rows.offset.size());
  int low = std::numeric_limits<int>::max();
  for (size_t i = lowest.size(); i-- > 0;)
    lowest[i] = low = std::min(low, sourceRange(rows, i).first);
  return lowest;
}

// The most source rows held at once when target rows are made in order and every row
// before lowestRowsAhead is released.
int sourceWindow(const Windows& rows, const std::vector<int>& lowest) {
  int furthest = 0, window = 1;
  for (size_t i = 0; i < lowest.size(); ++i) {
    furthest = std::max(furthest, sourceRange(rows, i).second);
    window = std::max(window, furthest - lowest[i] + 1);
  }
  return window;
}

// Target rows begin..end-1. The first pass runs only for the source rows these rows'
// lists reach, each once while it stays in the ring, so the intermediate image is never
// held whole and rows are resampled horizontally just before the vertical pass reads them.
// lowest, when given, says which source rows to release before each target row.
template <typename Rows>
void resampleRows(const Rows& source, int sw, const Windows& columns, const Windows& rows,
                  size_t begin, size_t end, const std::vector<int>* lowest, Scratch& scratch,
                  Image& target) {
  const size_t n = 3 * static_cast<size_t>(target.width());
  const size_t slots = scratch.ringRow.size();
  const size_t taps = static_cast<size_t>(rows.taps);
  for (size_t i = begin; i < end; ++i) {
    if (lowest) source.release((*lowest)[i]);
    const int16_t* weight = rows.weight.data() + i * taps;
    for (size_t k = 0; k < taps; ++k) {
      if (weight[k] == 0) {
        scratch.taps[k] = nullptr;
        continue;
      }
      const int y = rows.mirror[static_cast<size_t>(rows.offset[i]) + k];
      const size_t slot = static_cast<size_t>(y) % slots;
      uint8_t* line = scratch.ring.data() + slot * n;
      if (scratch.ringRow[slot] != y) {
        horizontalRow(source.row(y), source.next(y), sw, columns, scratch, line);
        scratch.ringRow[slot] = y;
      }
      scratch.taps[k] = line;
    }
    verticalRow(scratch.taps.data(), weight, taps, rows.total[i], rows.reciprocal[i], n,
                scratch.sums.data(), target.row(static_cast<int>(i)));
  }
}

// Enough pixels that a second thread pays for itself.
constexpr size_t kParallelPixels = 1 << 16;

// The smallest number of target rows worth two parts (more than Th: one part).
size_t minParallelRows(int sh, int Tw, int Th) {
  const size_t work = static_cast<size_t>(Tw) * (static_cast<size_t>(sh) + static_cast<size_t>(Th));
  return work >= kParallelPixels ? 2 : static_cast<size_t>(Th) + 1;
}

// The contributor lists and working arrays of one resampling.
struct Plan {
  Windows columns;
  Windows rows;
  Scratch scratch[kRowParts];
};

void preparePlan(Plan& plan, int sw, int sh, int Tw, int Th, const ResampleFilter& filter,
                 float radius) {
  if (radius == 0.0f) radius = 3.0f;
  plan.columns = buildWindows(Tw, sw, filter, radius);
  plan.rows = buildWindows(Th, sh, filter, radius);
  const size_t n = 3 * static_cast<size_t>(Tw);
  // A ring of reach rows holds all rows of any one list at distinct slots.
  const size_t slots = static_cast<size_t>(plan.rows.reach);
  for (Scratch& s : plan.scratch) {
    s.planes.resize(3 * plan.columns.mirror.size());
    s.sums.resize(n);
    s.ring.resize(slots * n);
    s.ringRow.assign(slots, -1);
    s.taps.resize(static_cast<size_t>(plan.rows.taps));
  }
}

void resampleInto(const Image& source, Image& target, int Tw, int Th, const ResampleFilter& filter,
                  float radius) {
  target.reshape(Tw, Th);
  const int sw = source.width(), sh = source.height();
  if (sw == 0 || sh == 0 || Tw == 0 || Th == 0) return;
  Plan plan;
  preparePlan(plan, sw, sh, Tw, Th, filter, radius);
  const ImageRows rows{source};
  forRowsInParallel(static_cast<size_t>(Th), minParallelRows(sh, Tw, Th),
                    [&](size_t begin, size_t end, int part) {
                      resampleRows(rows, sw, plan.columns, plan.rows, begin, end, nullptr,
                                   plan.scratch[part], target);
                    });
}

// ResizeImage's sides: a side of exactly 1 becomes 2.
int resizeSide(int side) {
  return side == 1 ? 2 : side;
}

}  // namespace

float BoxFilter(float x) {
  return std::fabs(x) <= 0.5f ? 1.0f : 0.0f;
}

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

void ResamplePainted(int sw, int sh, const RowPainter& paint, Image& target, int Tw, int Th,
                     const ResampleFilter& filter, float radius) {
  target.reshape(Tw, Th);
  if (sw == 0 || sh == 0 || Tw == 0 || Th == 0) return;
  Plan plan;
  preparePlan(plan, sw, sh, Tw, Th, filter, radius);
  // Allocated before the parts start: they must not throw.
  std::vector<uint8_t> bands[kRowParts];
  for (std::vector<uint8_t>& band : bands)
    band.resize(3 * static_cast<size_t>(sw) * PaintedRows::kBandRows);
  forRowsInParallel(static_cast<size_t>(Th), minParallelRows(sh, Tw, Th),
                    [&](size_t begin, size_t end, int part) {
                      const PaintedRows rows(paint, sw, sh, bands[part]);
                      resampleRows(rows, sw, plan.columns, plan.rows, begin, end, nullptr,
                                   plan.scratch[part], target);
                    });
}

void ResizeImage(const Image& source, Image& target, int newW, int newH) {
  Resample(source, target, resizeSide(newW), resizeSide(newH), Lanczos3Filter, 3.0f);
}

void ResizeRows(RowSource& source, Image& target, int newW, int newH) {
  const int Tw = resizeSide(newW), Th = resizeSide(newH);
  target.reshape(Tw, Th);
  const int sw = source.width(), sh = source.height();
  if (sw == 0 || sh == 0 || Tw == 0 || Th == 0) return;
  Plan plan;
  preparePlan(plan, sw, sh, Tw, Th, Lanczos3Filter, 3.0f);
  const std::vector<int> lowest = lowestRowsAhead(plan.rows);
  source.reserveRows(sourceWindow(plan.rows, lowest));
  resampleRows(StreamRows{source}, sw, plan.columns, plan.rows, 0, static_cast<size_t>(Th), &lowest,
               plan.scratch[0], target);
}

}  // namespace lumabord
