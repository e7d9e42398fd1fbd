// Rendering steps in the status bar.
#include "status_render_steps.h"

#include <QCoreApplication>

namespace lumabord {

void StatusRenderSteps::ShowRenderStep(const std::string& text) {
  panel_.setText(QString::fromStdString(text));
  QCoreApplication::processEvents();
}

}  // namespace lumabord
