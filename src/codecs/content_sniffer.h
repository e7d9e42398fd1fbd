// Recognises picture data by its first bytes, for files that have no extension.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lumabord {

// The table extension whose reader serves the data ("bmp", "jpg", "gif", "ico", "png",
// "tif", "wmf", "emf", "webp", "jxl", "heic", "avif"), or an empty view when the data is none of
// them. Cursors ("CUR") are served by the icon reader.
[[nodiscard]] std::string_view sniffPictureFormat(std::span<const uint8_t> bytes);

}  // namespace lumabord
