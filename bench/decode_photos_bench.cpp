// Decoding speed of well-formed photos: a 24-megapixel photo-like picture written as baseline
// and progressive JPEG, TIFF and PNG, each loaded several times; the best CPU time per file.
// "--write DIR" keeps the four files in DIR; file names as arguments are timed instead, so
// that builds of two revisions can be compared on the same files (seconds, one line each).
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "codecs/image_writers.h"
#include "decode_timing.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000, kRounds = 5;

// Smooth shading, edges and a little grain, so that no coder finds it unusually easy.
lumabord::Image photoLikePicture() {
  lumabord::Image image(kWidth, kHeight);
  uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = image.row(y);
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 28) - 8;
      const double fx = x / 300.0, fy = y / 200.0;
      const double shade = 128 + 60 * std::sin(fx) * std::cos(fy) + 30 * std::sin(fx * 7 + fy * 3);
      const bool edge = ((x / 250) + (y / 180)) % 3 == 0;
      const int v = static_cast<int>(shade) + grain;
      uint8_t* p = row + 3 * static_cast<size_t>(x);  // blue, green, red
      p[2] = static_cast<uint8_t>(std::clamp(v + (edge ? 40 : 0), 0, 255));
      p[1] = static_cast<uint8_t>(std::clamp(v - 20 + x % 37, 0, 255));
      p[0] = static_cast<uint8_t>(std::clamp(255 - v + (edge ? -30 : 10), 0, 255));
    }
  }
  return image;
}

std::vector<std::filesystem::path> writePhotos(const std::filesystem::path& dir) {
  const lumabord::Image image = photoLikePicture();
  lumabord::JpegOptions jpeg;
  jpeg.quality = 90;
  jpeg.progressive = false;
  lumabord::WriteJpegFile(dir / "baseline.jpg", image, jpeg);
  jpeg.progressive = true;
  lumabord::WriteJpegFile(dir / "progressive.jpg", image, jpeg);
  lumabord::WriteTiffFile(dir / "photo.tif", image);
  lumabord::WritePngFile(dir / "photo.png", image);
  return {dir / "baseline.jpg", dir / "progressive.jpg", dir / "photo.tif", dir / "photo.png"};
}

}  // namespace

int main(int argc, char** argv) {
  const bool keep = argc == 3 && std::string(argv[1]) == "--write";
  const std::filesystem::path dir = keep
                                        ? std::filesystem::path(argv[2])
                                        : std::filesystem::temp_directory_path() /
                                              ("lumabord-decode-bench-" + std::to_string(getpid()));
  int result = 0;
  try {
    std::vector<std::filesystem::path> files(argv + 1, argv + argc);
    if (files.empty() || keep) {
      std::filesystem::create_directories(dir);
      files = writePhotos(dir);
    }
    std::printf("decode_photos: best CPU time of %d loads\n", kRounds);
    for (const auto& file : files) {
      std::printf("  %-40s %8.1f MB %8.3f s\n", file.filename().c_str(),
                  static_cast<double>(std::filesystem::file_size(file)) / 1e6,
                  bench::bestDecodeSeconds(file, kRounds));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "decode_photos: %s\n", e.what());
    result = 2;
  }
  if (!keep) std::filesystem::remove_all(dir);
  return result;
}
