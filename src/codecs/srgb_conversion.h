// Colour management with LittleCMS 2: photos that embed an ICC profile are converted to sRGB
// (relative colorimetric with black-point compensation), the colour space of the frame assets
// and of every written file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/image.h"

namespace lumabord {

// A conversion from one embedded profile to sRGB, for B,G,R rows, cached per profile so that a
// batch of photos from one camera builds it once. Matrix/TRC profiles (those of cameras and
// phones: Adobe RGB, Display P3, ...) are converted by their curves and colorants as read by
// LittleCMS, in tables: within a level of LittleCMS's own transform at a fraction of its time;
// other profiles by a LittleCMS transform.
class SrgbConversion {
 public:
  // nullptr when the profile cannot be used: unreadable, or not an RGB or grey profile (the
  // readers have already turned CMYK and other samples into RGB their own way).
  static std::shared_ptr<const SrgbConversion> forProfile(std::span<const uint8_t> profile);
  ~SrgbConversion();
  SrgbConversion(const SrgbConversion&) = delete;
  SrgbConversion& operator=(const SrgbConversion&) = delete;

  // Converts count B,G,R rows of width pixels in place, stride bytes apart, on the calling
  // thread.
  void convertRows(uint8_t* rows, size_t stride, int width, int count) const;
  // Converts an image in place; a large one is split over two threads with the same result.
  void convert(Image& image) const;

 private:
  SrgbConversion() = default;
  // Fills the tables from a matrix/TRC RGB profile; false for other profiles.
  bool fromMatrixShaper(void* profile, void* srgb);
  void convertRow(uint8_t* row, size_t pixels) const;

  void* transform_ = nullptr;  // cmsHTRANSFORM, or nullptr for the tables below
  // Matrix/TRC, in fixed point with 14 fraction bits: the source's linear light per 8-bit
  // sample (R, G, B), its colours in linear sRGB (rows R, G, B of the matrix) and the sRGB
  // encoding of linear light 0..16384.
  std::array<std::array<int32_t, 256>, 3> linear_{};
  std::array<int32_t, 9> matrix_{};  // row by row
  std::vector<uint8_t> encode_;
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
