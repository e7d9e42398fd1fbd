// An integer entry field with an optional lower bound that reports key releases and leaving.
#pragma once

#include <QLineEdit>
#include <optional>

namespace lumabord {

class IntegerField : public QLineEdit {
  Q_OBJECT
 public:
  IntegerField(const QString& objectName, std::optional<int> minimum, QWidget* parent = nullptr);

  // The number typed, read leniently and raised to the lower bound; empty text reads as 0.
  [[nodiscard]] int value() const;
  // Shows value, raised to the lower bound. Emits nothing.
  void setValue(int value);

 signals:
  void keyReleased(int key);
  // The edit ended: the field lost the focus, or Enter was pressed in it.
  void left();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::optional<int> minimum_;
};

}  // namespace lumabord
