// A label that acts like a flat button: white text on a coloured ground, a click signal.
#pragma once

#include <QLabel>

#include "compose/color.h"

namespace lumabord {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  ClickableLabel(const QString& objectName, const QString& text, const QString& hint,
                 ColorValue ground, QWidget* parent = nullptr);
  void setGround(ColorValue ground);
  [[nodiscard]] ColorValue ground() const { return ground_; }

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ColorValue ground_;
};

}  // namespace lumabord
