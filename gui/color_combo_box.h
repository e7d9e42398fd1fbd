// A colour drop-down: the 16 standard colours by name, custom "New Color n" entries and
// "(Other...)", which asks for any colour and inserts it as a custom entry.
#pragma once

#include <QComboBox>
#include <functional>
#include <optional>

#include "compose/color.h"

namespace lumabord {

class ColorComboBox : public QComboBox {
  Q_OBJECT
 public:
  // Asks the user for a colour starting at the given one; nullopt when cancelled.
  using ColorAsker = std::function<std::optional<ColorValue>(ColorValue)>;

  explicit ColorComboBox(const QString& objectName, QWidget* parent = nullptr);

  void setColorAsker(ColorAsker asker) { asker_ = std::move(asker); }

  [[nodiscard]] ColorValue colorValue() const;
  // Selects the entry of value, inserting a custom entry when none holds it. Emits nothing.
  void setColorValue(ColorValue value);

 signals:
  // The user chose an entry (also a colour picked through "(Other...)").
  void colorChosen();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void onActivated(int index);
  [[nodiscard]] int otherIndex() const { return count() - 1; }

  ColorAsker asker_;
  int customCounter_ = 0;
  int lastIndex_ = 0;
  bool keyed_ = false;  // a key on the closed list is moving the selection
};

}  // namespace lumabord
