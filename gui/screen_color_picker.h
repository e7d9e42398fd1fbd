// The screen colour picker: while it runs, a 100 ms timer samples the screen pixel under the
// pointer and keeps the cross-hair cursor up for the whole application.
#pragma once

#include <QObject>
#include <QTimer>

#include "base/image.h"
#include "platform/screen_pixels.h"

namespace lumabord {

class ScreenColorPicker : public QObject {
  Q_OBJECT
 public:
  explicit ScreenColorPicker(const ScreenPixels& screen, QObject* parent = nullptr);

  [[nodiscard]] bool running() const { return timer_.isActive(); }
  void start();
  // Stops sampling and restores the normal cursor; nothing happens when idle.
  void stop();
  // One sample, as the timer takes it.
  void sample();

 signals:
  void sampled(lumabord::Rgb color);

 private:
  const ScreenPixels& screen_;
  QTimer timer_;
};

}  // namespace lumabord
