// Small renderer fixtures written by the tests themselves: mask BMPs in both header forms,
// texture BMPs, patterned images and an asset folder laid out as the renderer expects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/image.h"
#include "codecs/image_writers.h"
#include "compose/bevel_mask.h"
#include "compose/compose_frame.h"
#include "support/temp_dir.h"

namespace lumabord::testing {

inline void putLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

struct MaskBmpOptions {
  uint32_t headerSize = 40;  // 12 or 40 make a valid file
  uint32_t bitsPerPixel = 8;
  uint32_t coloursUsed = 0;      // 40-byte header only; 0 means 256
  uint32_t dataOffset = 0xDEAD;  // never consulted by the reader
};

// An 8-bit BMP whose palette indexes are the mask values; rows bottom-up, padded to 4.
inline std::vector<uint8_t> maskBmp(const BevelMask& mask, const MaskBmpOptions& o = {}) {
  std::vector<uint8_t> out{'B', 'M'};
  putLe(out, 0, 4);  // file size: not checked
  putLe(out, 0, 4);
  putLe(out, o.dataOffset, 4);
  putLe(out, o.headerSize, 4);
  size_t palette = 0;
  if (o.headerSize == 12) {
    putLe(out, static_cast<uint32_t>(mask.width), 2);
    putLe(out, static_cast<uint32_t>(mask.height), 2);
    putLe(out, 1, 2);
    putLe(out, o.bitsPerPixel, 2);
    palette = 768;
  } else {
    putLe(out, static_cast<uint32_t>(mask.width), 4);
    putLe(out, static_cast<uint32_t>(mask.height), 4);
    putLe(out, 1, 2);
    putLe(out, o.bitsPerPixel, 2);
    for (int i = 0; i < 4; ++i) putLe(out, 0, 4);
    putLe(out, o.coloursUsed, 4);
    putLe(out, 0, 4);
    palette = 4 * size_t{o.coloursUsed == 0 ? 256 : o.coloursUsed};
  }
  // A palette that is not the grey ramp, to show it is ignored.
  for (size_t i = 0; i < palette; ++i) out.push_back(static_cast<uint8_t>(255 - i % 256));
  const size_t padded = (static_cast<size_t>(mask.width) + 3) & ~size_t{3};
  for (int y = mask.height - 1; y >= 0; --y) {
    for (size_t x = 0; x < padded; ++x) {
      out.push_back(x < static_cast<size_t>(mask.width) ? mask.at(static_cast<int>(x), y) : 0);
    }
  }
  return out;
}

// A mask of w x h with values from a small deterministic generator, except `flat` bands.
inline BevelMask patternMask(int w, int h, uint32_t seed) {
  BevelMask mask{w, h, {}};
  uint32_t state = seed * 2654435761u + 1;
  for (int i = 0; i < w * h; ++i) {
    state = state * 1103515245u + 12345u;
    mask.values.push_back(static_cast<uint8_t>(state >> 16));
  }
  return mask;
}

inline BevelMask flatMask(int w, int h, uint8_t value) {
  return BevelMask{w, h,
                   std::vector<uint8_t>(static_cast<size_t>(w) * static_cast<size_t>(h), value)};
}

// Every pixel different from its neighbours, so that a shifted copy shows.
inline Image patternImage(int w, int h, uint32_t seed) {
  Image image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t v =
          (static_cast<uint32_t>(x) * 73u + static_cast<uint32_t>(y) * 151u + seed * 29u);
      image.setPixel(x, y,
                     Rgb{static_cast<uint8_t>(v), static_cast<uint8_t>(v * 7 + 3),
                         static_cast<uint8_t>(v * 13 + 101)});
    }
  }
  return image;
}

// An application folder with the asset sub-folders the renderer reads.
class AssetFolder {
 public:
  const std::filesystem::path& path() const { return dir_.path(); }
  std::filesystem::path edgeMask(const BevelMask& mask, const MaskBmpOptions& o = {}) const {
    return dir_.write("Image Edges/outermattelowered.bmp", maskBmp(mask, o));
  }
  void profile(const std::string& name, const BevelMask& mask, int width, int height) const {
    dir_.write("Image Masks/" + name + ".bmp", maskBmp(mask));
    dir_.write("Image Masks/" + name + ".ini", "[RADIUS]\r\nWIDTH=" + std::to_string(width) +
                                                   "\r\nHEIGHT=" + std::to_string(height) + "\r\n");
  }
  void shadow(const std::string& name, const BevelMask& mask) const {
    dir_.write("Shadows/" + name + ".bmp", maskBmp(mask));
  }
  void texture(const std::string& relative, const Image& image) const {
    const std::filesystem::path file = dir_.path() / "Image Textures" / relative;
    std::filesystem::create_directories(file.parent_path());
    WriteBmpFile(file, image);
  }
  std::filesystem::path write(const std::string& relative, const std::string& bytes) const {
    return dir_.write(relative, bytes);
  }

 private:
  TempDir dir_;
};

struct RecordedSteps : RenderSteps {
  std::vector<std::string> texts;
  void ShowRenderStep(const std::string& text) override { texts.push_back(text); }
};

}  // namespace lumabord::testing
