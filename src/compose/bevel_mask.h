// BevelMask: an 8-bit single-channel shading mask, and its reader for 8-bit BMP files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace lumabord {

// Each value shades the pixel under it: 127 and 128 leave it unchanged, lower values
// darken (0 = black), higher values lighten toward white. Row-major, top row first.
struct BevelMask {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> values;

  [[nodiscard]] bool empty() const { return width == 0 || height == 0; }
  [[nodiscard]] uint8_t at(int x, int y) const {
    return values[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

// Reads a mask BMP: a 14-byte file header (not checked), a header of size 0 (empty mask),
// 12 (u16 sizes, 768 palette bytes) or 40 (i32 sizes, 4 x colours-used palette bytes), then
// the pixel rows bottom-up, each padded to 4 bytes, right after the palette. The palette is
// ignored: each pixel byte is the mask value. Throws Error("Invalid stream format!") for
// another header size, Error("Channels support 256-colors bitmaps only!") for a depth other
// than 8 bits, and an Error saying what is missing for a file shorter than its header says.
[[nodiscard]] BevelMask readBevelMask(std::span<const uint8_t> bytes);

// readFile + readBevelMask.
[[nodiscard]] BevelMask loadBevelMask(const std::filesystem::path& path);

}  // namespace lumabord
