// Shows each rendering step in a status bar panel and lets pending window events run, so
// the window repaints and keeps taking input between the steps of a long rendering.
#pragma once

#include <QLabel>

#include "compose/compose_frame.h"

namespace lumabord {

class StatusRenderSteps final : public RenderSteps {
 public:
  explicit StatusRenderSteps(QLabel& panel) : panel_(panel) {}
  void ShowRenderStep(const std::string& text) override;

 private:
  QLabel& panel_;
};

}  // namespace lumabord
