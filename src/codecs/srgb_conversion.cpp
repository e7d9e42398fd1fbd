// Profile-to-sRGB transforms through LittleCMS 2, cached per profile.
#include "codecs/srgb_conversion.h"

#include <lcms2.h>

#include <algorithm>
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

}  // namespace

std::shared_ptr<const SrgbConversion> SrgbConversion::forProfile(std::span<const uint8_t> profile) {
  static std::mutex mutex;
  static std::vector<std::pair<std::vector<uint8_t>, std::shared_ptr<const SrgbConversion>>> cache;
  const std::lock_guard lock(mutex);
  for (const auto& [bytes, conversion] : cache) {
    if (std::ranges::equal(bytes, profile)) return conversion;
  }
  std::shared_ptr<const SrgbConversion> conversion;
  if (profile.size() >= 128 && profile.size() <= UINT32_MAX) {
    const ProfilePtr source(
        cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size())));
    const ProfilePtr srgb(cmsCreate_sRGBProfile());
    if (source && srgb && usableClass(source.get())) {
      const cmsColorSpaceSignature space = cmsGetColorSpace(source.get());
      const cmsUInt32Number input = space == cmsSigRgbData    ? kBgr8
                                    : space == cmsSigGrayData ? kGreyIn3
                                                              : 0;
      cmsHTRANSFORM transform =
          input ? cmsCreateTransform(source.get(), input, srgb.get(), kBgr8,
                                     INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_BLACKPOINTCOMPENSATION)
                : nullptr;
      if (transform) conversion.reset(new SrgbConversion(transform));
    }
  }
  if (cache.size() == kCachedProfiles) cache.erase(cache.begin());
  cache.emplace_back(std::vector<uint8_t>(profile.begin(), profile.end()), conversion);
  return conversion;
}

SrgbConversion::~SrgbConversion() {
  cmsDeleteTransform(static_cast<cmsHTRANSFORM>(transform_));
}

void SrgbConversion::convertRows(uint8_t* rows, size_t stride, int width, int count) const {
  if (width <= 0 || count <= 0) return;
  const auto pixels = static_cast<size_t>(width);
  const auto lineBytes = static_cast<cmsUInt32Number>(stride);
  // LittleCMS reads each pixel before writing it, so the rows convert in place.
  forRowsInParallel(static_cast<size_t>(count), kParallelPixels / pixels + 1,
                    [&](size_t begin, size_t end, int) {
                      uint8_t* first = rows + begin * stride;
                      cmsDoTransformLineStride(static_cast<cmsHTRANSFORM>(transform_), first, first,
                                               static_cast<cmsUInt32Number>(pixels),
                                               static_cast<cmsUInt32Number>(end - begin), lineBytes,
                                               lineBytes, 0, 0);
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
