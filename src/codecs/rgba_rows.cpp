// R,G,B(,A) rows into B,G,R rows.
#include "codecs/rgba_rows.h"

#include "codecs/picture_source.h"

namespace lumabord {

void copyRgbRows(const uint8_t* rgb, size_t stride, int channels, Image& image) {
  const auto width = static_cast<size_t>(image.width());
  for (int y = 0; y < image.height(); ++y) {
    const uint8_t* in = rgb + stride * static_cast<size_t>(y);
    uint8_t* out = image.row(y);
    for (size_t x = 0; x < width; ++x, in += channels, out += 3) {
      const unsigned a = channels == 4 ? in[3] : 255;
      out[0] = overWhite(in[2], a);
      out[1] = overWhite(in[1], a);
      out[2] = overWhite(in[0], a);
    }
  }
}

}  // namespace lumabord
