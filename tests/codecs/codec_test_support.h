// Helpers of the reader tests: decoding through the loader from a file or from memory,
// ImageMagick as a second decoder, and pixel comparisons.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "base/error.h"
#include "codecs/picture_loader.h"
#include "picture_writers.h"
#include "support/temp_dir.h"

namespace lumabord::testing {

inline Image decodeAs(const Bytes& bytes, const std::string& extension,
                      const DecodeLimits& limits = {}) {
  return decodePicture(bytes, extension, "test." + extension, limits);
}

// The message the decoder throws, or "" when it decodes.
inline std::string decodeError(const Bytes& bytes, const std::string& extension,
                               const DecodeLimits& limits = {}) {
  try {
    (void)decodeAs(bytes, extension, limits);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

inline bool imageMagickPresent() {
  static const bool present = std::system("command -v convert >/dev/null 2>&1") == 0;
  return present;
}

// ImageMagick's decoding of the file, flattened over white, as a w x h picture; nullopt when
// ImageMagick cannot read it or gives another size.
inline std::optional<Image> decodeWithImageMagick(const std::filesystem::path& file, int w, int h,
                                                  const std::string& options = "") {
  const std::filesystem::path out = file.string() + ".rgb";
  const std::string command =
      "convert " + options + " '" + file.string() +
      "[0]' -background white -alpha remove -alpha off -depth 8 'rgb:" + out.string() +
      "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  std::ifstream in(out, std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (raw.size() != static_cast<size_t>(w) * static_cast<size_t>(h) * 3) return std::nullopt;
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t i =
          (static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 3;
      img.setPixel(x, y,
                   {static_cast<uint8_t>(raw[i]), static_cast<uint8_t>(raw[i + 1]),
                    static_cast<uint8_t>(raw[i + 2])});
    }
  return img;
}

// The largest difference of any channel of any pixel; INT_MAX when the sizes differ.
inline int maxDifference(const Image& a, const Image& b) {
  if (a.width() != b.width() || a.height() != b.height()) return INT32_MAX;
  int worst = 0;
  for (size_t i = 0; i < a.sizeBytes(); ++i)
    worst = std::max(worst, std::abs(int{a.data()[i]} - int{b.data()[i]}));
  return worst;
}

// Writes the bytes to a file named `name`, decodes it with ImageMagick and expects our
// decoding within `tolerance`. Callers skip first when ImageMagick is not installed.
inline void expectMatchesImageMagick(const Bytes& bytes, const std::string& name, const Image& ours,
                                     int tolerance, const std::string& options = "") {
  TempDir dir;
  const auto file = dir.write(name, bytes);
  const auto theirs = decodeWithImageMagick(file, ours.width(), ours.height(), options);
  ASSERT_TRUE(theirs.has_value()) << "ImageMagick could not decode " << name;
  const int difference = maxDifference(ours, *theirs);
  EXPECT_LE(difference, tolerance) << name;
  if (difference <= tolerance) return;
  for (int y = 0; y < ours.height(); ++y)
    for (int x = 0; x < ours.width(); ++x) {
      const Rgb a = ours.pixel(x, y), b = theirs->pixel(x, y);
      if (a != b) {
        ADD_FAILURE() << name << ": first difference at " << x << "," << y << ": ours " << int{a.r}
                      << " " << int{a.g} << " " << int{a.b} << ", ImageMagick's " << int{b.r} << " "
                      << int{b.g} << " " << int{b.b};
        return;
      }
    }
}

#define SKIP_WITHOUT_IMAGEMAGICK() \
  if (!::lumabord::testing::imageMagickPresent()) GTEST_SKIP() << "ImageMagick is not installed"

}  // namespace lumabord::testing
