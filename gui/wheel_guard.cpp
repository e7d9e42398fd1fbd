// The wheel passes over drop-down lists.
#include "wheel_guard.h"

#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace lumabord {
namespace {

class WheelGuard final : public QObject {
 public:
  explicit WheelGuard(QObject* parent) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    // Filtered and ignored: the application hands the wheel on to the list's parents.
    event->ignore();
    return true;
  }
};

}  // namespace

void guardListsFromWheel(QWidget* root) {
  auto* guard = new WheelGuard(root);
  for (QComboBox* list : root->findChildren<QComboBox*>()) {
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(guard);
  }
}

}  // namespace lumabord
