// CPU time of the picture loader on a file: the best of several loads, so that other work on
// the machine costs as little as possible. Shared by the photo decoding benchmark and by a
// build of an older revision that is compared with it.
#pragma once

#include <time.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "codecs/picture_loader.h"

namespace bench {

inline double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The least CPU time of `rounds` loads of path (reading the file included).
inline double bestDecodeSeconds(const std::filesystem::path& path, int rounds) {
  double best = std::numeric_limits<double>::max();
  for (int round = 0; round < rounds; ++round) {
    const double start = cpuSeconds();
    const lumabord::Image image = lumabord::loadPicture(path);
    best = std::min(best, cpuSeconds() - start);
  }
  return best;
}

}  // namespace bench
