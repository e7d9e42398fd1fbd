// Dot products of weight windows with pixel lines. The AVX2 form multiplies 16 pairs with
// one instruction into eight 32-bit partial sums and folds the partial sums of eight
// windows together, so that a window's horizontal addition costs one instruction.
#include "compose/resample_kernels.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define LUMABORD_HAVE_AVX2_KERNEL 1
#endif

namespace lumabord {

LUMABORD_PIXEL_LOOP
void windowSumsPortable(const int16_t* const lines[3], const WeightWindows& windows,
                        int32_t* sums) {
  for (size_t i = 0; i < windows.count; ++i) {
    const int16_t* w = windows.weight + i * windows.taps;
    const size_t at = static_cast<size_t>(windows.offset[i]);
    const int16_t *r = lines[0] + at, *g = lines[1] + at, *b = lines[2] + at;
    int32_t sr = 0, sg = 0, sb = 0;
    for (size_t k = 0; k < windows.taps; ++k) {
      sr += int32_t{w[k]} * r[k];
      sg += int32_t{w[k]} * g[k];
      sb += int32_t{w[k]} * b[k];
    }
    sums[i] = sr;
    sums[windows.count + i] = sg;
    sums[2 * windows.count + i] = sb;
  }
}

#ifdef LUMABORD_HAVE_AVX2_KERNEL

bool haveWindowSumsAvx2() {
  static const bool have = __builtin_cpu_supports("avx2");
  return have;
}

namespace {

__attribute__((target("avx2"))) inline __m256i windowProducts(const int16_t* w, const int16_t* v,
                                                              size_t taps) {
  __m256i acc = _mm256_setzero_si256();
  for (size_t k = 0; k < taps; k += 16) {
    const __m256i weights = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + k));
    const __m256i values = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(v + k));
    acc = _mm256_add_epi32(acc, _mm256_madd_epi16(weights, values));
  }
  return acc;
}

// The eight totals of eight vectors of partial sums, in order.
__attribute__((target("avx2"))) inline __m256i foldEight(const __m256i a[8]) {
  const __m256i h01 = _mm256_hadd_epi32(a[0], a[1]);
  const __m256i h23 = _mm256_hadd_epi32(a[2], a[3]);
  const __m256i h45 = _mm256_hadd_epi32(a[4], a[5]);
  const __m256i h67 = _mm256_hadd_epi32(a[6], a[7]);
  const __m256i low = _mm256_hadd_epi32(h01, h23);   // per half: totals of 0..3
  const __m256i high = _mm256_hadd_epi32(h45, h67);  // per half: totals of 4..7
  return _mm256_add_epi32(_mm256_permute2x128_si256(low, high, 0x20),
                          _mm256_permute2x128_si256(low, high, 0x31));
}

__attribute__((target("avx2"))) inline int32_t foldOne(__m256i a) {
  __m128i s = _mm_add_epi32(_mm256_castsi256_si128(a), _mm256_extracti128_si256(a, 1));
  s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0x4E));
  s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0xB1));
  return _mm_cvtsi128_si32(s);
}

}  // namespace

__attribute__((target("avx2"))) void windowSumsAvx2(const int16_t* const lines[3],
                                                    const WeightWindows& windows, int32_t* sums) {
  const size_t count = windows.count, taps = windows.taps;
  // The lines to fetch spread evenly over the blocks of eight windows.
  const size_t blocks = 3 * (count / 8);
  const size_t aheadLines = (windows.aheadBytes + 63) / 64;
  const size_t linesPerBlock = blocks == 0 ? 0 : (aheadLines + blocks - 1) / blocks;
  size_t fetched = 0;
  for (size_t c = 0; c < 3; ++c) {
    const int16_t* line = lines[c];
    int32_t* out = sums + c * count;
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
      for (size_t l = 0; l < linesPerBlock && fetched < windows.aheadBytes; ++l, fetched += 64)
        _mm_prefetch(reinterpret_cast<const char*>(windows.ahead + fetched), _MM_HINT_T0);
      __m256i acc[8];
      for (size_t j = 0; j < 8; ++j) {
        acc[j] =
            windowProducts(windows.weight + (i + j) * taps, line + windows.offset[i + j], taps);
      }
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), foldEight(acc));
    }
    for (; i < count; ++i)
      out[i] = foldOne(windowProducts(windows.weight + i * taps, line + windows.offset[i], taps));
  }
}

void windowSums(const int16_t* const lines[3], const WeightWindows& windows, int32_t* sums) {
  if (haveWindowSumsAvx2()) {
    windowSumsAvx2(lines, windows, sums);
  } else {
    windowSumsPortable(lines, windows, sums);
  }
}

#else

bool haveWindowSumsAvx2() {
  return false;
}

void windowSumsAvx2(const int16_t* const lines[3], const WeightWindows& windows, int32_t* sums) {
  windowSumsPortable(lines, windows, sums);
}

void windowSums(const int16_t* const lines[3], const WeightWindows& windows, int32_t* sums) {
  windowSumsPortable(lines, windows, sums);
}

#endif

}  // namespace lumabord
