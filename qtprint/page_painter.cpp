// QPainter replay of the recorded page.
#include "page_painter.h"

#include <QPen>
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <variant>

#include "base/error.h"
#include "qt_image.h"

namespace lumabord {
void replayPage(QPainter& painter, const RecordedPage& page, const QRectF& target) {
  if (page.width <= 0 || page.height <= 0) return;
  const double sx = target.width() / page.width;
  const double sy = target.height() / page.height;
  const auto map = [&](const PageRect& r) {
    return QRectF(target.left() + r.left * sx, target.top() + r.top * sy, r.width() * sx,
                  r.height() * sy);
  };
  const auto point = [&](int x, int y) {
    return QPointF(target.left() + x * sx, target.top() + y * sy);
  };
  QImage picture;
  for (const PageCommand& command : page.commands) {
    std::visit(
        [&](const auto& c) {
          using T = std::decay_t<decltype(c)>;
          if constexpr (std::is_same_v<T, PageFill>) {
            painter.fillRect(map(c.rect), toQColor(c.color));
          } else if constexpr (std::is_same_v<T, PageImage>) {
            if (!page.image || page.image->empty()) return;
            // Converted once per replay; the device receives the image at its own pixels.
            if (picture.isNull()) picture = toQImage(*page.image);
            painter.drawImage(map(c.rect), picture);
          } else {
            QPen pen(toQColor(c.color), 0, Qt::DotLine);
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.drawLine(point(c.x1, c.y1), point(c.x2, c.y2));
          }
        },
        command);
  }
}

QImage rasterisePage(const RecordedPage& page, int screenDpi) {
  const auto pixels = [screenDpi](int hundredths) {
    return std::max(1, static_cast<int>(std::lround(hundredths * screenDpi / 100.0)));
  };
  QImage bitmap(pixels(page.width), pixels(page.height), QImage::Format_RGB888);
  if (bitmap.isNull()) {
    fail("The page is too large to draw at %d pixels per inch", screenDpi);
  }
  bitmap.fill(Qt::white);
  QPainter painter(&bitmap);
  replayPage(painter, page, QRectF(0, 0, bitmap.width(), bitmap.height()));
  painter.end();
  return bitmap;
}

}  // namespace lumabord
