// Small helpers the benchmark programs share: wall-clock timing, timing an external command,
// and PPM files for the external tools to read.
#pragma once

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/image.h"

namespace bench {

inline double secondsOf(auto&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds the shell command took; a failing command ends the benchmark.
inline double runCommand(const std::string& command) {
  int status = 0;
  const double seconds = secondsOf([&] { status = std::system(command.c_str()); });
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
  return seconds;
}

inline void writePpm(const std::filesystem::path& path, const lumabord::Image& image) {
  const std::string header =
      "P6\n" + std::to_string(image.width()) + " " + std::to_string(image.height()) + "\n255\n";
  std::vector<uint8_t> bytes(header.begin(), header.end());
  bytes.reserve(bytes.size() + image.sizeBytes());
  for (int y = 0; y < image.height(); ++y) {
    const uint8_t* row = image.row(y);
    for (int x = 0; x < image.width(); ++x)  // rows are stored blue, green, red
      bytes.insert(bytes.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
  }
  lumabord::writeFileAtomic(path, bytes);
}

}  // namespace bench
