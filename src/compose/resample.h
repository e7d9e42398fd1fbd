// Fitting an image into an output box and Lanczos-3 resampling with integer weights.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "base/image.h"
#include "compose/row_source.h"

namespace lumabord {

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// The largest size with the image's proportions inside maxW x maxH, never enlarging;
// a zero input returns (W, H).
[[nodiscard]] Size FitWithin(int W, int H, int maxW, int maxH);

// Filter function of one single-precision argument.
using ResampleFilter = std::function<float(float)>;

// Lanczos-3, every intermediate in single precision.
[[nodiscard]] float Lanczos3Filter(float x);

// The box filter: each target pixel of a reduction is the average of the source pixels it
// covers. Its radius is kBoxRadius.
[[nodiscard]] float BoxFilter(float x);
inline constexpr float kBoxRadius = 0.5f;

// Resamples source into target (reshaped to Tw x Th). radius 0 means 3.
void Resample(const Image& source, Image& target, int Tw, int Th, const ResampleFilter& filter,
              float radius);

// Paints rows y .. y + count - 1 of a picture into out (stride bytes a row). It is called
// from two threads at once for different rows, so it must only read what it shares.
using RowPainter = std::function<void(int y, int count, uint8_t* out, size_t stride)>;

// Resample of the sw x sh picture that paint makes, with the same result; the picture is
// painted a band of rows at a time and never held whole.
void ResamplePainted(int sw, int sh, const RowPainter& paint, Image& target, int Tw, int Th,
                     const ResampleFilter& filter, float radius);

// Resample with Lanczos-3; a requested side of exactly 1 becomes 2.
void ResizeImage(const Image& source, Image& target, int newW, int newH);

// ResizeImage of a picture that arrives row by row, with the same result; the rows are
// asked for in order on the calling thread, and only a window of them is needed at once.
void ResizeRows(RowSource& source, Image& target, int newW, int newH);

}  // namespace lumabord
