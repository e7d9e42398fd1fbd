// Shared by the reader tests: byte writers for generated files, decoding through the
// loader, and ImageMagick's decoding of the same bytes as the second opinion.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/file_io.h"
#include "base/image.h"
#include "codecs/picture_loader.h"
#include "byte_writers.h"
#include "support/temp_dir.h"

namespace lumabord::testing {

inline Image decodeAs(const Bytes& bytes, const std::string& extension) {
  return decodePicture(bytes, extension, "test." + extension);
}

// The message of the Error that decoding throws, or "" when it decodes.
inline std::string decodeError(const Bytes& bytes, const std::string& extension,
                               const DecodeLimits& limits = {}) {
  try {
    (void)decodePicture(bytes, extension, "test." + extension, limits);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Pixels as R,G,B triples, row by row, for comparisons with expected values.
inline std::vector<Rgb> pixelsOf(const Image& image) {
  std::vector<Rgb> out;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) out.push_back(image.pixel(x, y));
  return out;
}

inline bool haveMagick() {
  static const bool present = std::system("command -v convert >/dev/null 2>&1") == 0;
  return present;
}

// ImageMagick's decoding of the bytes read as `magickFormat`, flattened onto white, or
// nothing when ImageMagick is absent or cannot read them.
inline std::optional<Image> magickDecode(const Bytes& bytes, const std::string& magickFormat) {
  if (!haveMagick()) return std::nullopt;
  TempDir dir;
  const auto in = dir.write("in.bin", bytes);
  const auto out = dir / "out.ppm";
  const std::string command = "convert '" + magickFormat + ":" + in.string() +
                              "[0]' -auto-orient -background white -alpha remove -alpha off -depth 8 '" +
                              out.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  const std::vector<uint8_t> ppm = readFile(out);
  // convert writes "P6\n<w> <h>\n255\n" and the samples.
  size_t pos = 2;
  auto number = [&] {
    while (pos < ppm.size() && (std::isspace(ppm[pos]) || ppm[pos] == '#')) {
      if (ppm[pos] == '#')
        while (pos < ppm.size() && ppm[pos] != '\n') ++pos;
      else
        ++pos;
    }
    int v = 0;
    while (pos < ppm.size() && std::isdigit(ppm[pos])) v = v * 10 + (ppm[pos++] - '0');
    return v;
  };
  const int w = number(), h = number();
  number();
  ++pos;
  if (ppm.size() < 2 || ppm[0] != 'P' || ppm[1] != '6' || ppm.size() - pos < size_t(w) * h * 3)
    return std::nullopt;
  Image image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x, pos += 3) image.setPixel(x, y, {ppm[pos], ppm[pos + 1], ppm[pos + 2]});
  return image;
}

// Largest difference of any channel between two images of the same size (-1 when the sizes
// differ).
inline int maxDifference(const Image& a, const Image& b) {
  if (a.width() != b.width() || a.height() != b.height()) return -1;
  int worst = 0;
  for (size_t i = 0; i < a.sizeBytes(); ++i)
    worst = std::max(worst, std::abs(int{a.data()[i]} - int{b.data()[i]}));
  return worst;
}

// Checks ours against ImageMagick's decoding when it is there.
inline void expectMatchesMagick(const Bytes& bytes, const std::string& extension,
                                const std::string& magickFormat, int tolerance = 0) {
  const auto theirs = magickDecode(bytes, magickFormat);
  if (!theirs) {
    if (haveMagick()) ADD_FAILURE() << "ImageMagick could not read the " << extension << " file";
    return;
  }
  const Image ours = decodeAs(bytes, extension);
  const int difference = maxDifference(ours, *theirs);
  EXPECT_TRUE(difference >= 0 && difference <= tolerance)
      << extension << ": difference " << difference << ", " << ours.width() << "x"
      << ours.height() << " vs " << theirs->width() << "x" << theirs->height();
}

}  // namespace lumabord::testing
