// A thin arrow drawn across a small widget, from one corner to the opposite one.
#pragma once

#include <QWidget>

namespace lumabord {

class ArrowMark : public QWidget {
 public:
  // The arrow runs from the top-right to the bottom-left corner, or from top-left to
  // bottom-right; its head sits at the end point.
  enum class Direction { DownLeft, DownRight };
  ArrowMark(Direction direction, const QColor& color, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Direction direction_;
  QColor color_;
};

}  // namespace lumabord
