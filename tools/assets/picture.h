// The generator's working pictures and the files it writes: colour pictures as JPEG or PNG,
// masks as 8-bit grey-scale BMPs whose palette index is the grey level.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lumabord::assets {

struct Colour {
  float r = 0, g = 0, b = 0;  // 0..255
};

Colour mix(Colour a, Colour b, float t);
Colour scale(Colour c, float f);
Colour add(Colour a, Colour b);

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;  // row by row, top row first

  Picture(int w, int h)
      : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h)) {}
  Colour& at(int x, int y) {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  const Colour& at(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

struct GreyMask {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> values;  // row by row, top row first

  GreyMask(int w, int h, uint8_t fill = 128)
      : width(w), height(h), values(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
  uint8_t& at(int x, int y) {
    return values[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

void writeJpeg(const std::filesystem::path& path, const Picture& picture, int quality);
void writePng(const std::filesystem::path& path, const Picture& picture);
void writeGreyBmp(const std::filesystem::path& path, const GreyMask& mask);
void writeText(const std::filesystem::path& path, const std::string& text);

}  // namespace lumabord::assets
