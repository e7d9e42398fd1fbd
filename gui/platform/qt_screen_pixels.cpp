// Reads the screen pixel under the pointer through the Qt screen.
#include "platform/qt_screen_pixels.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace lumabord {

std::optional<Rgb> QtScreenPixels::pixelUnderPointer() const {
  const QPoint pos = QCursor::pos();
  QScreen* screen = QGuiApplication::screenAt(pos);
  if (screen == nullptr) return std::nullopt;
  // Window id 0 is the whole desktop, so pixels outside our own windows are read too.
  const QPoint local = pos - screen->geometry().topLeft();
  const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
  if (pixel.isNull()) return std::nullopt;
  const QColor c = pixel.pixelColor(0, 0);
  return Rgb{static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
             static_cast<uint8_t>(c.blue())};
}

}  // namespace lumabord
