// Decoding speed of well-formed photos: a 24-megapixel photo-like picture written as baseline
// and progressive JPEG, TIFF and PNG, each loaded several times; the best CPU time per file.
// "--write DIR" keeps the four files in DIR; file names as arguments are timed instead, so
// that builds of two revisions can be compared on the same files (seconds, one line each).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "codecs/image_writers.h"
#include "decode_timing.h"
#include "photo_like_rows.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000, kRounds = 5;

// Smooth shading, edges and a little grain, so that no coder finds it unusually easy.
lumabord::Image photoLikePicture() {
  lumabord::Image image(kWidth, kHeight);
  uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = image.row(y);
    lumabord::bench::photoLikeRow(y, kWidth, row, noise);
    for (int x = 0; x < kWidth; ++x) std::swap(row[3 * x], row[3 * x + 2]);  // blue first
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
