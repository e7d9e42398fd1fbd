// Conversions between the library's pixel and colour types and Qt's, at the widget boundary.
#pragma once

#include <QColor>
#include <QImage>

#include "base/image.h"
#include "compose/color.h"

namespace lumabord {

// The display colour of a colour value (system colours through the system table).
[[nodiscard]] QColor toQColor(ColorValue value);
// 0x00BBGGRR of a Qt colour (its alpha is dropped).
[[nodiscard]] ColorValue fromQColor(const QColor& color);

// A deep copy of image as a Qt image; an empty image gives a null QImage.
[[nodiscard]] QImage toQImage(const Image& image);
// A Qt image over image's own pixels, valid while image lives unchanged (moving the Image
// keeps its pixels in place).
[[nodiscard]] QImage toQImageView(const Image& image);

}  // namespace lumabord
