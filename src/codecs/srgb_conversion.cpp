// Profile-to-sRGB transforms through LittleCMS 2, cached per profile.
#include "codecs/srgb_conversion.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

#include "compose/parallel_rows.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define LUMABORD_HAVE_AVX2_CONVERSION 1
#endif

namespace lumabord {
namespace {

// The transform reads B,G,R; a grey profile reads the first of the three equal samples.
constexpr cmsUInt32Number kBgr8 = TYPE_BGR_8;
constexpr cmsUInt32Number kGreyIn3 =
    COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | BYTES_SH(1) | EXTRA_SH(2);

// Enough for the profiles of a batch; the oldest is dropped beyond this.
constexpr size_t kCachedProfiles = 8;
// Rows below this many pixels are not worth a second thread.
constexpr size_t kParallelPixels = size_t{1} << 16;

struct ProfileClose {
  void operator()(cmsHPROFILE p) const { cmsCloseProfile(p); }
};
using ProfilePtr = std::unique_ptr<void, ProfileClose>;

std::vector<uint8_t> saveProfile(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  if (!cmsSaveProfileToMem(profile, nullptr, &size) || size < 128) return {};
  std::vector<uint8_t> bytes(size);
  if (!cmsSaveProfileToMem(profile, bytes.data(), &size)) return {};
  // The header's creation date (bytes 24..35) would make every written file differ.
  constexpr uint8_t kDate[12] = {0x07, 0xD0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};  // 2000-01-01
  std::copy(std::begin(kDate), std::end(kDate), bytes.begin() + 24);
  return bytes;
}

bool usableClass(cmsHPROFILE profile) {
  switch (cmsGetDeviceClass(profile)) {
    case cmsSigInputClass:
    case cmsSigDisplayClass:
    case cmsSigOutputClass:
    case cmsSigColorSpaceClass:
      return true;
    default:
      return false;
  }
}

using Matrix = std::array<std::array<double, 3>, 3>;

// The colorants (columns: the XYZ of red, green and blue in the D50 connection space).
bool colorants(cmsHPROFILE profile, Matrix& m) {
  const cmsTagSignature tags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag,
                                   cmsSigBlueColorantTag};
  for (int c = 0; c < 3; ++c) {
    const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tags[c]));
    if (!xyz) return false;
    m[0][c] = xyz->X;
    m[1][c] = xyz->Y;
    m[2][c] = xyz->Z;
  }
  return true;
}

bool inverse(const Matrix& m, Matrix& out) {
  const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  if (!(std::abs(det) > 1e-12)) return false;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
      out[r][c] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / det;
    }
  return true;
}

constexpr int kOne = 1 << 14;  // 1.0 in the fixed point of the tables

}  // namespace

bool SrgbConversion::fromMatrixShaper(void* profile, void* srgb) {
  auto* source = static_cast<cmsHPROFILE>(profile);
  if (cmsGetColorSpace(source) != cmsSigRgbData || !cmsIsMatrixShaper(source)) return false;
  Matrix from{}, to{}, toInverse{};
  if (!colorants(source, from) || !colorants(srgb, to) || !inverse(to, toInverse)) return false;
  const cmsTagSignature curves[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
  for (int c = 0; c < 3; ++c) {
    const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(source, curves[c]));
    if (!curve) return false;
    for (int v = 0; v < 256; ++v) {
      const float light = std::clamp(cmsEvalToneCurveFloat(curve, v / 255.0f), 0.0f, 1.0f);
      linear_[c][v] = static_cast<int32_t>(std::lround(light * kOne));
    }
  }
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      double sum = 0;
      for (int k = 0; k < 3; ++k) sum += toInverse[r][k] * from[k][c];
      // Sums of three products stay inside 32 bits while every weight is below 2.5.
      if (!(std::abs(sum) < 2.5)) return false;
      matrix_[static_cast<size_t>(3 * r + c)] = static_cast<int32_t>(std::lround(sum * kOne));
    }
  const auto* srgbCurve = static_cast<const cmsToneCurve*>(cmsReadTag(srgb, cmsSigRedTRCTag));
  if (!srgbCurve) return false;
  cmsToneCurve* encoding = cmsReverseToneCurve(srgbCurve);
  if (!encoding) return false;
  // Three bytes past the end let the AVX2 rows read each entry as the low byte of a dword.
  encode_.assign(kOne + 1 + 3, 0);
  for (int i = 0; i <= kOne; ++i) {
    const float v = cmsEvalToneCurveFloat(encoding, static_cast<float>(i) / kOne);
    encode_[static_cast<size_t>(i)] =
        static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
  }
  cmsFreeToneCurve(encoding);
  return true;
}

#ifdef LUMABORD_HAVE_AVX2_CONVERSION
namespace {

#define LUMABORD_AVX2 __attribute__((target("avx2"))) inline

// The source's linear light per 8-bit sample of R, G and B.
using LinearTables = std::array<std::array<int32_t, 256>, 3>;

// Picks sample c (0 blue, 1 green, 2 red) of four pixels a lane into four dwords.
LUMABORD_AVX2 __m256i sampleMask(char c) {
  const char n = -1;
  return _mm256_setr_epi8(c, n, n, n, c + 3, n, n, n, c + 6, n, n, n, c + 9, n, n, n, c, n, n, n,
                          c + 3, n, n, n, c + 6, n, n, n, c + 9, n, n, n);
}

LUMABORD_AVX2 __m256i matrixRow(const __m256i* m, __m256i r, __m256i g, __m256i b) {
  return _mm256_add_epi32(
      _mm256_add_epi32(_mm256_mullo_epi32(m[0], r), _mm256_mullo_epi32(m[1], g)),
      _mm256_mullo_epi32(m[2], b));
}

// The sRGB encoding of eight fixed-point sums, as the plain loop rounds and clamps them.
LUMABORD_AVX2 __m256i encodedAvx2(__m256i sum, const uint8_t* encode) {
  __m256i light = _mm256_srai_epi32(_mm256_add_epi32(sum, _mm256_set1_epi32(kOne / 2)), 14);
  light =
      _mm256_min_epi32(_mm256_max_epi32(light, _mm256_setzero_si256()), _mm256_set1_epi32(kOne));
  return _mm256_and_si256(_mm256_i32gather_epi32(reinterpret_cast<const int*>(encode), light, 1),
                          _mm256_set1_epi32(0xFF));
}

// Eight pixels at a time with the same integer arithmetic as the plain loop: the samples'
// linear light and the sRGB encodings are gathered from the tables, the matrix is applied
// with 32-bit multiplies. Stops 11 pixels before the end, as each step reads 32 bytes;
// returns the pixels done.
__attribute__((target("avx2"))) size_t convertPixelsAvx2(uint8_t* p, size_t pixels,
                                                         const LinearTables& linear,
                                                         const std::array<int32_t, 9>& matrix,
                                                         const uint8_t* encode) {
  // Pixels 0..3 in the low lane, 4..7 (from byte 12) in the high one.
  const __m256i spread = _mm256_setr_epi32(0, 1, 2, 3, 3, 4, 5, 6);
  const __m256i blue = sampleMask(0), green = sampleMask(1), red = sampleMask(2);
  const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0,
                                        1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  __m256i m[9];
  for (size_t i = 0; i < 9; ++i) m[i] = _mm256_set1_epi32(matrix[i]);
  const auto* lr = reinterpret_cast<const int*>(linear[0].data());
  const auto* lg = reinterpret_cast<const int*>(linear[1].data());
  const auto* lb = reinterpret_cast<const int*>(linear[2].data());
  size_t x = 0;
  for (; x + 11 <= pixels; x += 8, p += 24) {
    const __m256i bytes = _mm256_permutevar8x32_epi32(
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), spread);
    const __m256i r = _mm256_i32gather_epi32(lr, _mm256_shuffle_epi8(bytes, red), 4);
    const __m256i g = _mm256_i32gather_epi32(lg, _mm256_shuffle_epi8(bytes, green), 4);
    const __m256i b = _mm256_i32gather_epi32(lb, _mm256_shuffle_epi8(bytes, blue), 4);
    const __m256i outR = encodedAvx2(matrixRow(m, r, g, b), encode);
    const __m256i outG = encodedAvx2(matrixRow(m + 3, r, g, b), encode);
    const __m256i outB = encodedAvx2(matrixRow(m + 6, r, g, b), encode);
    const __m256i out = _mm256_shuffle_epi8(
        _mm256_or_si256(outB,
                        _mm256_or_si256(_mm256_slli_epi32(outG, 8), _mm256_slli_epi32(outR, 16))),
        pack);
    // 12 bytes a lane; bytes 24.. belong to pixels not converted yet and stay untouched.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(out));
    const __m128i high = _mm256_extracti128_si256(out, 1);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 12), high);
    const auto last = static_cast<uint32_t>(_mm_extract_epi32(high, 2));
    std::memcpy(p + 20, &last, 4);
  }
  return x;
}

#undef LUMABORD_AVX2

bool haveAvx2() {
  static const bool have = __builtin_cpu_supports("avx2");
  return have;
}

}  // namespace
#endif

void SrgbConversion::convertRow(uint8_t* p, size_t pixels) const {
  if (transform_) {
    cmsDoTransform(static_cast<cmsHTRANSFORM>(transform_), p, p,
                   static_cast<cmsUInt32Number>(pixels));
    return;
  }
  const uint8_t* encode = encode_.data();
#ifdef LUMABORD_HAVE_AVX2_CONVERSION
  if (haveAvx2()) {
    const size_t done = convertPixelsAvx2(p, pixels, linear_, matrix_, encode);
    p += 3 * done;
    pixels -= done;
  }
#endif
  auto encoded = [encode](int32_t sum) {
    const int32_t light = (sum + kOne / 2) >> 14;
    return encode[light < 0 ? 0 : light > kOne ? kOne : light];
  };
  const auto& m = matrix_;
  for (size_t x = 0; x < pixels; ++x, p += 3) {
    const int32_t r = linear_[0][p[2]], g = linear_[1][p[1]], b = linear_[2][p[0]];
    p[2] = encoded(m[0] * r + m[1] * g + m[2] * b);
    p[1] = encoded(m[3] * r + m[4] * g + m[5] * b);
    p[0] = encoded(m[6] * r + m[7] * g + m[8] * b);
  }
}

std::shared_ptr<const SrgbConversion> SrgbConversion::forProfile(std::span<const uint8_t> profile) {
  static std::mutex mutex;
  static std::vector<std::pair<std::vector<uint8_t>, std::shared_ptr<const SrgbConversion>>> cache;
  const std::lock_guard lock(mutex);
  for (const auto& [bytes, conversion] : cache) {
    if (std::ranges::equal(bytes, profile)) return conversion;
  }
  if (cache.size() == kCachedProfiles) cache.erase(cache.begin());
  std::shared_ptr<SrgbConversion> conversion;
  if (profile.size() >= 128 && profile.size() <= UINT32_MAX) {
    const ProfilePtr source(
        cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size())));
    const ProfilePtr srgb(cmsCreate_sRGBProfile());
    if (source && srgb && usableClass(source.get())) {
      conversion.reset(new SrgbConversion());
      if (conversion->fromMatrixShaper(source.get(), srgb.get())) {
        cache.emplace_back(std::vector<uint8_t>(profile.begin(), profile.end()), conversion);
        return conversion;
      }
      conversion.reset();
      const cmsColorSpaceSignature space = cmsGetColorSpace(source.get());
      const cmsUInt32Number input = space == cmsSigRgbData    ? kBgr8
                                    : space == cmsSigGrayData ? kGreyIn3
                                                              : 0;
      cmsHTRANSFORM transform =
          input ? cmsCreateTransform(source.get(), input, srgb.get(), kBgr8,
                                     INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_BLACKPOINTCOMPENSATION)
                : nullptr;
      if (transform) {
        conversion.reset(new SrgbConversion());
        conversion->transform_ = transform;
      }
    }
  }
  cache.emplace_back(std::vector<uint8_t>(profile.begin(), profile.end()), conversion);
  return conversion;
}

SrgbConversion::~SrgbConversion() {
  if (transform_) cmsDeleteTransform(static_cast<cmsHTRANSFORM>(transform_));
}

// Each pixel is read before it is written, so the rows convert in place.
void SrgbConversion::convertRows(uint8_t* rows, size_t stride, int width, int count) const {
  if (width <= 0) return;
  for (int y = 0; y < count; ++y)
    convertRow(rows + static_cast<size_t>(y) * stride, static_cast<size_t>(width));
}

void SrgbConversion::convert(Image& image) const {
  if (image.width() <= 0) return;
  const auto pixels = static_cast<size_t>(image.width());
  forRowsInParallel(static_cast<size_t>(image.height()), kParallelPixels / pixels + 1,
                    [&](size_t begin, size_t end, int) {
                      for (size_t y = begin; y < end; ++y)
                        convertRow(image.row(static_cast<int>(y)), pixels);
                    });
}

const std::vector<uint8_t>& srgbProfileBytes() {
  static const std::vector<uint8_t> bytes = [] {
    const ProfilePtr srgb(cmsCreate_sRGBProfile());
    return srgb ? saveProfile(srgb.get()) : std::vector<uint8_t>{};
  }();
  return bytes;
}

std::vector<uint8_t> rgbProfileBytes(const double (&primaries)[8], int curveType,
                                     std::span<const double> curveParameters) {
  const cmsCIExyY white{primaries[6], primaries[7], 1.0};
  const cmsCIExyYTRIPLE rgb{{primaries[0], primaries[1], 1.0},
                            {primaries[2], primaries[3], 1.0},
                            {primaries[4], primaries[5], 1.0}};
  cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, curveType, curveParameters.data());
  if (!curve) return {};
  cmsToneCurve* curves[3] = {curve, curve, curve};
  const ProfilePtr profile(cmsCreateRGBProfile(&white, &rgb, curves));
  cmsFreeToneCurve(curve);
  return profile ? saveProfile(profile.get()) : std::vector<uint8_t>{};
}

}  // namespace lumabord
