// Profile-to-sRGB transforms through LittleCMS 2, cached per profile.
#include "codecs/srgb_conversion.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include "compose/parallel_rows.h"

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
      matrix_[r][c] = static_cast<int32_t>(std::lround(sum * kOne));
    }
  const auto* srgbCurve = static_cast<const cmsToneCurve*>(cmsReadTag(srgb, cmsSigRedTRCTag));
  if (!srgbCurve) return false;
  cmsToneCurve* encoding = cmsReverseToneCurve(srgbCurve);
  if (!encoding) return false;
  encode_.resize(kOne + 1);
  for (int i = 0; i <= kOne; ++i) {
    const float v = cmsEvalToneCurveFloat(encoding, static_cast<float>(i) / kOne);
    encode_[static_cast<size_t>(i)] =
        static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
  }
  cmsFreeToneCurve(encoding);
  return true;
}

void SrgbConversion::convertRow(uint8_t* p, size_t pixels) const {
  if (transform_) {
    cmsDoTransform(static_cast<cmsHTRANSFORM>(transform_), p, p,
                   static_cast<cmsUInt32Number>(pixels));
    return;
  }
  const uint8_t* encode = encode_.data();
  auto encoded = [encode](int32_t sum) {
    const int32_t light = (sum + kOne / 2) >> 14;
    return encode[light < 0 ? 0 : light > kOne ? kOne : light];
  };
  const auto& m = matrix_;
  for (size_t x = 0; x < pixels; ++x, p += 3) {
    const int32_t r = linear_[0][p[2]], g = linear_[1][p[1]], b = linear_[2][p[0]];
    p[2] = encoded(m[0][0] * r + m[0][1] * g + m[0][2] * b);
    p[1] = encoded(m[1][0] * r + m[1][1] * g + m[1][2] * b);
    p[0] = encoded(m[2][0] * r + m[2][1] * g + m[2][2] * b);
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

void SrgbConversion::convertRows(uint8_t* rows, size_t stride, int width, int count) const {
  if (width <= 0 || count <= 0) return;
  const auto pixels = static_cast<size_t>(width);
  // Each pixel is read before it is written, so the rows convert in place.
  forRowsInParallel(static_cast<size_t>(count), kParallelPixels / pixels + 1,
                    [&](size_t begin, size_t end, int) {
                      for (size_t y = begin; y < end; ++y) convertRow(rows + y * stride, pixels);
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
