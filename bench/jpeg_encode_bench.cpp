// JPEG encoding of an 800 x 600 picture (quality 80, progressive, float DCT) against
// `cjpeg -dct float -quality 80 -progressive` on the same pixels, both timed in this run.
// cjpeg's process start and PPM reading are measured with a 1 x 1 picture and reported both
// included and subtracted. Also checks that both produce the same bytes.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/image.h"
#include "bench_support.h"
#include "codecs/image_writers.h"

namespace {

using Clock = std::chrono::steady_clock;
using lumabord::Image;

Image makePicture(int w, int h) {
  Image image(w, h);
  uint32_t seed = 777;
  for (int y = 0; y < h; ++y) {
    uint8_t* row = image.row(y);
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int grain = static_cast<int>(seed >> 28) - 8;
      const int sky = 120 + 100 * y / h;
      const bool object = (x - 400) * (x - 400) + (y - 350) * (y - 350) < 150 * 150;
      row[3 * x] = static_cast<uint8_t>(std::clamp((object ? 60 : sky) + grain, 0, 255));
      row[3 * x + 1] = static_cast<uint8_t>(std::clamp((object ? 140 : sky - 20) + grain, 0, 255));
      row[3 * x + 2] =
          static_cast<uint8_t>(std::clamp((object ? 200 : 90 + x / 8) + grain, 0, 255));
    }
  }
  return image;
}

using bench::runCommand;
using bench::secondsOf;
using bench::writePpm;

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const auto folder =
      std::filesystem::temp_directory_path() / ("lumabord-jpeg-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const Image picture = makePicture(800, 600);
  writePpm(folder / "in.ppm", picture);
  writePpm(folder / "tiny.ppm", Image(1, 1, lumabord::Rgb{1, 2, 3}));
  const lumabord::JpegOptions options{80, true, true};
  const std::string cjpeg = "cjpeg -dct float -quality 80 -progressive -outfile ";

  double encode = 1e9, write = 1e9, external = 1e9, startup = 1e9;
  for (int r = 0; r < rounds; ++r) {
    encode = std::min(encode, secondsOf([&] { (void)lumabord::encodeJpeg(picture, options); }));
    write = std::min(
        write, secondsOf([&] { lumabord::WriteJpegFile(folder / "ours.jpg", picture, options); }));
    external = std::min(external, runCommand(cjpeg + (folder / "theirs.jpg").string() + " " +
                                             (folder / "in.ppm").string()));
    startup = std::min(startup, runCommand(cjpeg + (folder / "tiny.jpg").string() + " " +
                                           (folder / "tiny.ppm").string()));
  }
  const bool same =
      lumabord::readFile(folder / "ours.jpg") == lumabord::readFile(folder / "theirs.jpg");
  std::printf("800x600 quality 80 progressive, best of %d:\n", rounds);
  std::printf("  encodeJpeg in memory %.2f ms, WriteJpegFile %.2f ms\n", 1e3 * encode, 1e3 * write);
  std::printf("  cjpeg process %.2f ms, of which start and 1x1 run %.2f ms\n", 1e3 * external,
              1e3 * startup);
  std::printf(
      "  ratio WriteJpegFile / cjpeg: %.2f; encodeJpeg / (cjpeg - start): %.2f (target <= 1.1)\n",
      write / external, encode / (external - startup));
  std::printf("  same bytes as cjpeg: %s\n", same ? "yes" : "no");
  std::filesystem::remove_all(folder);
  return 0;
}
