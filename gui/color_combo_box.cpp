// A colour drop-down with custom entries and "(Other...)".
#include "color_combo_box.h"

#include <QKeyEvent>
#include <QPixmap>

#include "qt_image.h"

namespace lumabord {
namespace {

QIcon swatch(ColorValue value) {
  QPixmap pixmap(14, 14);
  pixmap.fill(toQColor(value));
  return QIcon(pixmap);
}

}  // namespace

ColorComboBox::ColorComboBox(const QString& objectName, QWidget* parent) : QComboBox(parent) {
  setObjectName(objectName);
  for (const NamedColor& named : standardColors()) {
    // Shown without the "cl" prefix of the identifier.
    addItem(swatch(named.value), QString::fromLatin1(named.identifier + 2), named.value);
  }
  addItem(QStringLiteral("(Other...)"));
  setCurrentIndex(0);
  connect(this, &QComboBox::activated, this, &ColorComboBox::onActivated);
}

ColorValue ColorComboBox::colorValue() const {
  const QVariant data = itemData(currentIndex());
  return data.isValid() ? data.value<ColorValue>() : kClBlack;
}

void ColorComboBox::setColorValue(ColorValue value) {
  for (int i = 0; i < otherIndex(); ++i) {
    if (itemData(i).value<ColorValue>() == value) {
      setCurrentIndex(i);
      lastIndex_ = i;
      return;
    }
  }
  const int at = otherIndex();
  insertItem(at, swatch(value), QStringLiteral("New Color %1").arg(customCounter_++), value);
  setCurrentIndex(at);
  lastIndex_ = at;
}

void ColorComboBox::keyPressEvent(QKeyEvent* event) {
  keyed_ = true;
  QComboBox::keyPressEvent(event);
  keyed_ = false;
}

void ColorComboBox::onActivated(int index) {
  if (index == otherIndex() && keyed_) {
    // Stepping through the closed list with the arrow keys passes "(Other...)" without
    // opening the colour dialog; it opens only when chosen in the open list.
    setCurrentIndex(lastIndex_);
    return;
  }
  if (index == otherIndex()) {
    const std::optional<ColorValue> picked =
        asker_ ? asker_(itemData(lastIndex_).value<ColorValue>()) : std::nullopt;
    if (!picked) {
      setCurrentIndex(lastIndex_);
      return;
    }
    setColorValue(*picked);
  }
  lastIndex_ = currentIndex();
  emit colorChosen();
}

}  // namespace lumabord
