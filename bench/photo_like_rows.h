// Rows of a photo-like test picture: smooth shading, edges and a little grain, so that no
// coder finds it unusually easy. The benchmarks that decode photos share it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace lumabord::bench {

// Fills row y (width pixels of R, G, B bytes); noise carries the grain from row to row.
inline void photoLikeRow(int y, int width, uint8_t* rgb, uint32_t& noise) {
  for (int x = 0; x < width; ++x) {
    noise = noise * 1664525u + 1013904223u;
    const int grain = static_cast<int>(noise >> 28) - 8;
    const double fx = x / 300.0, fy = y / 200.0;
    const double shade = 128 + 60 * std::sin(fx) * std::cos(fy) + 30 * std::sin(fx * 7 + fy * 3);
    const bool edge = ((x / 250) + (y / 180)) % 3 == 0;
    const int v = static_cast<int>(shade) + grain;
    uint8_t* p = rgb + 3 * static_cast<size_t>(x);
    p[0] = static_cast<uint8_t>(std::clamp(v + (edge ? 40 : 0), 0, 255));
    p[1] = static_cast<uint8_t>(std::clamp(v - 20 + x % 37, 0, 255));
    p[2] = static_cast<uint8_t>(std::clamp(255 - v + (edge ? -30 : 10), 0, 255));
  }
}

}  // namespace lumabord::bench
