// An integer entry field with an optional lower bound.
#include "integer_field.h"

#include <QIntValidator>
#include <QKeyEvent>
#include <algorithm>
#include <climits>

namespace lumabord {

IntegerField::IntegerField(const QString& objectName, std::optional<int> minimum, QWidget* parent)
    : QLineEdit(parent), minimum_(minimum) {
  setObjectName(objectName);
  setValidator(new QIntValidator(minimum.value_or(INT_MIN), INT_MAX, this));
  setAlignment(Qt::AlignRight);
  setValue(0);
}

int IntegerField::value() const {
  bool ok = false;
  const int number = text().toInt(&ok);
  const int fallback = std::max(0, minimum_.value_or(0));
  return ok ? std::max(number, minimum_.value_or(INT_MIN)) : fallback;
}

void IntegerField::setValue(int value) {
  setText(QString::number(std::max(value, minimum_.value_or(INT_MIN))));
}

void IntegerField::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit keyReleased(event->key());
}

void IntegerField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  emit left();
}

}  // namespace lumabord
