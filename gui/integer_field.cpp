// An integer entry field with an optional lower bound.
#include "integer_field.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <climits>
#include <cmath>

#include "app/number_parse.h"

namespace lumabord {

IntegerField::IntegerField(const QString& objectName, std::optional<int> minimum, QWidget* parent)
    : QLineEdit(parent), minimum_(minimum) {
  setObjectName(objectName);
  // Whole numbers only; a minus sign only where the field may go below 0.
  const bool negative = minimum.value_or(INT_MIN) < 0;
  setValidator(new QRegularExpressionValidator(
      QRegularExpression(negative ? QStringLiteral("-?[0-9]{0,9}") : QStringLiteral("[0-9]{0,9}")),
      this));
  setAlignment(Qt::AlignRight);
  setValue(0);
}

int IntegerField::value() const {
  static const NumberSeparators separators = userNumberSeparators();
  // An empty or incomplete text ("-") reads as 0, as the lenient reader gives it.
  const double number = std::trunc(ParseNumberLenient(text().toStdString(), separators));
  const double low = minimum_.value_or(INT_MIN);
  return static_cast<int>(std::clamp(number, low, static_cast<double>(INT_MAX)));
}

void IntegerField::setValue(int value) {
  const int shown = std::max(value, minimum_.value_or(INT_MIN));
  // Re-showing the same number would move the cursor of a field being typed in.
  if (shown == this->value() && !text().isEmpty()) return;
  setText(QString::number(shown));
}

void IntegerField::keyPressEvent(QKeyEvent* event) {
  // Enter ends the edit here; it does not reach the window, whose Enter presses "&Add...".
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    emit left();
    return;
  }
  QLineEdit::keyPressEvent(event);
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
