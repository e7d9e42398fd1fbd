// The screen colour picker.
#include "screen_color_picker.h"

#include <QApplication>

namespace lumabord {

ScreenColorPicker::ScreenColorPicker(const ScreenPixels& screen, QObject* parent)
    : QObject(parent), screen_(screen) {
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, &ScreenColorPicker::sample);
}

void ScreenColorPicker::start() {
  if (running()) return;
  QApplication::setOverrideCursor(Qt::CrossCursor);
  timer_.start();
}

void ScreenColorPicker::stop() {
  if (!running()) return;
  timer_.stop();
  QApplication::restoreOverrideCursor();
}

void ScreenColorPicker::sample() {
  // Dialogs or other code may have changed the cursor in between; set it again.
  if (running()) QApplication::changeOverrideCursor(Qt::CrossCursor);
  if (const std::optional<Rgb> color = screen_.pixelUnderPointer()) emit sampled(*color);
}

}  // namespace lumabord
