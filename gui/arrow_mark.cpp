// A thin arrow across a small widget.
#include "arrow_mark.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace lumabord {

ArrowMark::ArrowMark(Direction direction, const QColor& color, QWidget* parent)
    : QWidget(parent), direction_(direction), color_(color) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ArrowMark::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const QPointF from = direction_ == Direction::DownLeft ? r.topRight() : r.topLeft();
  const QPointF to = direction_ == Direction::DownLeft ? r.bottomLeft() : r.bottomRight();
  painter.setPen(QPen(color_, 1.2));
  painter.drawLine(from, to);
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  constexpr double kHead = 6.0;
  constexpr double kSpread = 0.45;
  QPainterPath head(to);
  head.lineTo(to - QPointF(kHead * std::cos(angle - kSpread), kHead * std::sin(angle - kSpread)));
  head.lineTo(to - QPointF(kHead * std::cos(angle + kSpread), kHead * std::sin(angle + kSpread)));
  head.closeSubpath();
  painter.fillPath(head, color_);
}

}  // namespace lumabord
