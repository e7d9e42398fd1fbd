// The choice of the embedded JPEG preview inside camera raw files.
#pragma once

#include <cstdint>
#include <span>

namespace lumabord {

struct ByteRange {
  size_t begin = 0;
  size_t end = 0;  // one past the last byte
  size_t size() const { return end - begin; }
};

// mrw, nef, crw: of the first two JPEG streams (start marker FF D8 through the next end
// marker FF D9), the longer; the second when both are equally long and the second ended
// with its marker. A stream without an end marker runs to the end of the data. Empty when
// the data holds no start marker.
[[nodiscard]] ByteRange chooseRawPreview(std::span<const uint8_t> bytes);

// raf: from the first start marker through the fourth occurrence of that marker (to the
// end of the data when there are fewer).
[[nodiscard]] ByteRange chooseRafPreview(std::span<const uint8_t> bytes);

}  // namespace lumabord
