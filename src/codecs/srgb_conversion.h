// Colour management with LittleCMS 2: photos that embed an ICC profile are converted to sRGB
// (relative colorimetric with black-point compensation), the colour space of the frame assets
// and of every written file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/image.h"

namespace lumabord {

// A transform from one embedded profile to sRGB, for B,G,R rows. Transforms are cached per
// profile, so a batch of photos from one camera builds the transform once.
class SrgbConversion {
 public:
  // nullptr when the profile cannot be used: unreadable, or not an RGB or grey profile (the
  // readers have already turned CMYK and other samples into RGB their own way).
  static std::shared_ptr<const SrgbConversion> forProfile(std::span<const uint8_t> profile);
  ~SrgbConversion();
  SrgbConversion(const SrgbConversion&) = delete;
  SrgbConversion& operator=(const SrgbConversion&) = delete;

  // Converts rows B,G,R rows of width pixels in place, stride bytes apart; large blocks are
  // split over two threads with the same result.
  void convertRows(uint8_t* rows, size_t stride, int width, int count) const;
  void convert(Image& image) const {
    convertRows(image.data(), image.stride(), image.width(), image.height());
  }

 private:
  explicit SrgbConversion(void* transform) : transform_(transform) {}
  void* transform_;  // cmsHTRANSFORM
};

// The ICC profile written into files whose photo carried a profile: LittleCMS's sRGB with a
// fixed creation date, so the same photo gives the same bytes on every run.
[[nodiscard]] const std::vector<uint8_t>& srgbProfileBytes();

// Builds an RGB profile from chromaticities (x, y of red, green, blue and white) and a
// transfer curve given as an ICC parametric curve (type and parameters as
// cmsBuildParametricToneCurve takes them); empty when LittleCMS refuses them. HEIF and AVIF
// describe their colours so.
[[nodiscard]] std::vector<uint8_t> rgbProfileBytes(const double (&primaries)[8], int curveType,
                                                   std::span<const double> curveParameters);

}  // namespace lumabord
