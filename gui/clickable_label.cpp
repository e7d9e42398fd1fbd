// A label that acts like a flat button.
#include "clickable_label.h"

#include <QMouseEvent>

#include "qt_image.h"

namespace lumabord {

ClickableLabel::ClickableLabel(const QString& objectName, const QString& text, const QString& hint,
                               ColorValue ground, QWidget* parent)
    : QLabel(text, parent), ground_(ground) {
  setObjectName(objectName);
  setToolTip(hint);
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
  setMinimumWidth(40);
  setContentsMargins(6, 2, 6, 2);
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
  setGround(ground);
}

void ClickableLabel::setGround(ColorValue ground) {
  ground_ = ground;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, toQColor(ground));
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

}  // namespace lumabord
