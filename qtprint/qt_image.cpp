// Conversions between the library's pixel and colour types and Qt's.
#include "qt_image.h"

namespace lumabord {

QColor toQColor(ColorValue value) {
  const Rgb rgb = colorToRgb(value);
  return QColor(rgb.r, rgb.g, rgb.b);
}

ColorValue fromQColor(const QColor& color) {
  return rgbToColor(Rgb{static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                        static_cast<uint8_t>(color.blue())});
}

QImage toQImageView(const Image& image) {
  if (image.empty()) return {};
  // Image rows are B,G,R bytes, tightly packed: exactly Qt's BGR888 layout.
  return QImage(image.data(), image.width(), image.height(), static_cast<qsizetype>(image.stride()),
                QImage::Format_BGR888);
}

QImage toQImage(const Image& image) {
  return toQImageView(image).copy();
}

}  // namespace lumabord
