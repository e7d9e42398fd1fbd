// Shared by the writer tests: small generated pictures, and a way to make a file write
// fail half-way (a file size limit) to check that the old file survives.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/file_io.h"
#include "base/image.h"

namespace lumabord::testing {

// A smooth picture with a little texture: lossy codecs keep it close.
inline Image gradient(int w, int h) {
  Image image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y,
                     Rgb{static_cast<uint8_t>(255 * x / std::max(w - 1, 1)),
                         static_cast<uint8_t>(255 * y / std::max(h - 1, 1)),
                         static_cast<uint8_t>((x * y) % 7 * 4 + 100)});
  return image;
}

// The 2 x 1 picture of one red and one blue pixel.
inline Image redBlue() {
  Image image(2, 1);
  image.setPixel(0, 0, Rgb{255, 0, 0});
  image.setPixel(1, 0, Rgb{0, 0, 255});
  return image;
}

// While alive, files of this process cannot grow beyond `bytes`: writes past it fail with
// EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = SIG_DFL;
};

inline std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  return names;
}

}  // namespace lumabord::testing
