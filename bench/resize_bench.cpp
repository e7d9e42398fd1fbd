// ResizeImage of a 6500 x 4500 picture into 800 x 600 against ImageMagick's
// `convert -filter Lanczos -resize 800x600` on the same pixels, both timed in this run.
// ImageMagick's share for reading and writing PPM is measured with a crop to the same
// output size and subtracted; `bench_resize ROUNDS --ours` skips ImageMagick and times only
// ResizeImage, also in CPU time. Also reports the memory the resize needs beyond the source
// (target, contributor lists and working rows), against the size of the target plus a
// whole intermediate image of target width and source height.
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/image.h"
#include "bench_support.h"
#include "compose/resample.h"

namespace {

using Clock = std::chrono::steady_clock;
using lumabord::Image;

// A photo-like picture: smooth colour fields, edges and fine texture.
Image makePicture(int w, int h) {
  Image image(w, h);
  uint32_t seed = 12345;
  for (int y = 0; y < h; ++y) {
    uint8_t* row = image.row(y);
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int texture = static_cast<int>(seed >> 28);
      const bool edge = ((x / 97) + (y / 61)) % 2 == 0;
      row[3 * x] = static_cast<uint8_t>((x * 255 / w + texture) & 0xFF);
      row[3 * x + 1] = static_cast<uint8_t>(edge ? 40 + texture : 200 - texture);
      row[3 * x + 2] = static_cast<uint8_t>((y * 255 / h + 3 * texture) & 0xFF);
    }
  }
  return image;
}

using bench::runCommand;
using bench::secondsOf;
using bench::writePpm;

long statusKilobytes(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field, 0) == 0)
      return std::atol(line.c_str() + std::char_traits<char>::length(field));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const bool oursOnly = argc > 2 && std::string(argv[2]) == "--ours";
  const std::string convert =
      std::filesystem::exists("/usr/bin/convert") ? "/usr/bin/convert" : "convert";
  const int sw = 6500, sh = 4500;
  const lumabord::Size size = lumabord::FitWithin(sw, sh, 800, 600);

  const auto folder = std::filesystem::temp_directory_path() /
                      ("lumabord-resize-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const Image source = makePicture(sw, sh);
  if (!oursOnly) writePpm(folder / "in.ppm", source);

  // Peak memory of one resize beyond what was resident before it (source already there).
  Image target;
  {
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the current size
    const long before = statusKilobytes("VmRSS:");
    lumabord::ResizeImage(source, target, size.width, size.height);
    const long peak = statusKilobytes("VmHWM:");
    const double intermediate = 3.0 * size.width * sh / 1024.0;
    const double output = 3.0 * size.width * size.height / 1024.0;
    std::printf(
        "memory: %ld kB beyond the source during the resize; a whole intermediate image "
        "%.0f kB + target %.0f kB would be %.0f kB\n",
        peak - before, intermediate, output, intermediate + output);
  }

  if (oursOnly) {
    double best = 1e9, bestCpu = 1e9;
    for (int r = 0; r < rounds; ++r) {
      const std::clock_t cpuStart = std::clock();
      best = std::min(
          best, secondsOf([&] { lumabord::ResizeImage(source, target, size.width, size.height); }));
      bestCpu = std::min(bestCpu, static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    }
    std::printf("ResizeImage %dx%d -> %dx%d: %.1f ms wall, %.1f ms CPU (best of %d)\n", sw, sh,
                size.width, size.height, 1e3 * best, 1e3 * bestCpu, rounds);
    std::filesystem::remove_all(folder);
    return 0;
  }

  double ours = 1e9, magick = 1e9, magickIo = 1e9;
  const std::string in = (folder / "in.ppm").string(), out = (folder / "out.ppm").string();
  const std::string box = std::to_string(size.width) + "x" + std::to_string(size.height);
  for (int r = 0; r < rounds; ++r) {
    ours = std::min(
        ours, secondsOf([&] { lumabord::ResizeImage(source, target, size.width, size.height); }));
    magick = std::min(magick,
                      runCommand(convert + " " + in + " -filter Lanczos -resize 800x600 " + out));
    magickIo = std::min(magickIo,
                        runCommand(convert + " " + in + " -crop " + box + "+0+0 +repage " + out));
  }
  const double magickResize = magick - magickIo;
  std::printf("ResizeImage %dx%d -> %dx%d: %.1f ms (best of %d)\n", sw, sh, size.width, size.height,
              1e3 * ours, rounds);
  std::printf(
      "ImageMagick convert -filter Lanczos -resize 800x600 (PPM in/out): %.1f ms; "
      "its PPM read/write (crop to %s): %.1f ms; resize alone: %.1f ms\n",
      1e3 * magick, box.c_str(), 1e3 * magickIo, 1e3 * magickResize);
  std::printf(
      "ratio ResizeImage / ImageMagick resize: %.2f (target < 1); "
      "ResizeImage / whole convert: %.2f\n",
      ours / magickResize, ours / magick);
  std::filesystem::remove_all(folder);
  return 0;
}
