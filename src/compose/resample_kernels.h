// The resampler's first-pass inner loop: dot products of 16-bit weight windows with
// 16-bit pixel lines, in a portable and an AVX2 form.
#pragma once

#include <cstddef>
#include <cstdint>

// Plain pixel loops compiled twice, for x86-64-v3 (AVX2) and the baseline, chosen at load.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define LUMABORD_PIXEL_LOOP __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define LUMABORD_PIXEL_LOOP
#endif

namespace lumabord {

// Windows of weights handed to windowSums: window i weighs line[offset[i]] ..
// line[offset[i] + taps - 1] with weight[i * taps] ...; taps is a multiple of 16.
struct WeightWindows {
  const int16_t* weight = nullptr;
  const int* offset = nullptr;
  size_t count = 0;
  size_t taps = 0;
  // Memory the caller reads next (the next source row): brought into the cache while the
  // sums are taken, one line per eight windows, so that its loads overlap the arithmetic.
  const uint8_t* ahead = nullptr;
  size_t aheadBytes = 0;
};

// sums[c * count + i] = the dot product of window i with lines[c], for c = 0, 1, 2, in
// 32-bit integers. The lines hold at least offset[i] + taps values for every window.
void windowSums(const int16_t* const lines[3], const WeightWindows& windows, int32_t* sums);

// The same with plain loops, and with AVX2 (only on processors that have it); windowSums
// picks one.
void windowSumsPortable(const int16_t* const lines[3], const WeightWindows& windows, int32_t* sums);
bool haveWindowSumsAvx2();
void windowSumsAvx2(const int16_t* const lines[3], const WeightWindows& windows, int32_t* sums);

}  // namespace lumabord
