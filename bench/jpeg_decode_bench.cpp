// JPEG decoding speed and memory: a 6000 x 4000 baseline JPEG (made with cjpeg) is decoded
// by the picture loader and by `djpeg -dct float` in the same run, alternately, and the best
// times are compared (target: at most 1.1x). The loader's peak memory, measured in a child
// process, is compared with the decoded image (target: at most 1.2x).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/error.h"
#include "codecs/picture_loader.h"
#include "photo_like_rows.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000, kRounds = 5;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A photo-like picture: smooth shading, edges and a little grain, streamed to cjpeg as PPM.
bool writeTestJpeg(const std::filesystem::path& file) {
  const std::string command = "cjpeg -quality 90 -outfile '" + file.string() + "'";
  FILE* cjpeg = popen(command.c_str(), "w");
  if (!cjpeg) return false;
  std::fprintf(cjpeg, "P6\n%d %d\n255\n", kWidth, kHeight);
  std::vector<uint8_t> row(static_cast<size_t>(kWidth) * 3);
  uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    lumabord::bench::photoLikeRow(y, kWidth, row.data(), noise);
    if (std::fwrite(row.data(), 1, row.size(), cjpeg) != row.size()) break;
  }
  return pclose(cjpeg) == 0;
}

double timeDjpeg(const std::filesystem::path& file) {
  const std::string command = "djpeg -dct float -outfile /dev/null '" + file.string() + "'";
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) throw std::runtime_error("djpeg failed");
  return secondsSince(start);
}

double timeLoader(const std::filesystem::path& file) {
  const auto start = Clock::now();
  const lumabord::Image image = lumabord::loadPicture(file);
  const double seconds = secondsSince(start);
  if (image.width() != kWidth || image.height() != kHeight) throw std::runtime_error("wrong size");
  return seconds;
}

long maxRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The growth of the peak resident size while a fresh process loads the file, in bytes.
long loaderPeakBytes(const std::filesystem::path& file) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    long growth = -1;
    try {
      const long before = maxRssKiB();
      { const lumabord::Image image = lumabord::loadPicture(file); }
      growth = (maxRssKiB() - before) * 1024;
    } catch (...) {
    }
    const bool written = write(fds[1], &growth, sizeof growth) == sizeof growth;
    _exit(written ? 0 : 1);
  }
  close(fds[1]);
  long growth = -1;
  if (read(fds[0], &growth, sizeof growth) != sizeof growth) growth = -1;
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return growth;
}

}  // namespace

int main() {
  if (std::system("command -v cjpeg >/dev/null && command -v djpeg >/dev/null") != 0) {
    std::printf("jpeg_decode: cjpeg/djpeg not installed, skipped\n");
    return 0;
  }
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("lumabord-jpeg-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "large.jpg";
  int result = 0;
  try {
    if (!writeTestJpeg(file)) throw std::runtime_error("cjpeg failed");
    const long peak = loaderPeakBytes(file);
    double ours = 1e9, theirs = 1e9;
    for (int round = 0; round < kRounds; ++round) {
      theirs = std::min(theirs, timeDjpeg(file));
      ours = std::min(ours, timeLoader(file));
    }
    const double imageBytes = double{kWidth} * kHeight * 3;
    const double timeRatio = ours / theirs, memoryRatio = peak / imageBytes;
    std::printf("jpeg_decode: %d x %d baseline, %.1f MB file, best of %d\n", kWidth, kHeight,
                std::filesystem::file_size(file) / 1e6, kRounds);
    std::printf("  loader %.3f s, djpeg -dct float %.3f s: ratio %.2fx (target <= 1.10x)\n", ours,
                theirs, timeRatio);
    std::printf("  peak memory %.1f MB for a %.1f MB image: ratio %.2fx (target <= 1.20x)\n",
                peak / 1e6, imageBytes / 1e6, memoryRatio);
    result = timeRatio <= 1.1 && memoryRatio <= 1.2 && peak > 0 ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "jpeg_decode: %s\n", e.what());
    result = 2;
  }
  std::filesystem::remove_all(dir);
  return result;
}
