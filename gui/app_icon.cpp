// The program's icon.
#include "app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace lumabord {
namespace {

QPixmap drawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x8a, 0x5a, 0x2b));
  p.drawRoundedRect(QRectF(4, 8, 56, 48), 3, 3);
  p.setBrush(QColor(0xd8, 0xb0, 0x60));
  p.drawRect(QRectF(8, 12, 48, 40));
  p.setBrush(QColor(0xf4, 0xf0, 0xe6));
  p.drawRect(QRectF(13, 17, 38, 30));
  p.setBrush(QColor(0x33, 0x6e, 0xb0));
  p.drawRect(QRectF(19, 23, 26, 18));
  p.setBrush(QColor(0x5c, 0x9c, 0x4a));
  p.drawPolygon(QPolygonF({QPointF(19, 41), QPointF(28, 31), QPointF(35, 37), QPointF(39, 33),
                           QPointF(45, 41)}));
  p.setBrush(QColor(0xf7, 0xd8, 0x4c));
  p.drawEllipse(QPointF(39, 28), 2.6, 2.6);
  return pixmap;
}

}  // namespace

QIcon appIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(drawIcon(size));
  return icon;
}

}  // namespace lumabord
