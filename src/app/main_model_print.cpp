// MainModel: the framed image of WorkPhoto for the print command.
#include "app/main_model.h"

namespace lumabord {

void MainModel::RenderForOutput(Image& target) {
  // Held like a batch and marked as rendering, so that neither a preview nor another
  // command started from events pumped between the steps shares the working images.
  const bool held = renderHeld_;
  holdRendering(true);
  Rendering = true;
  try {
    services_.renderer->render(Snapshot(), WorkPhoto, Queue.empty(), AppPath, steps_, target);
  } catch (...) {
    Rendering = false;
    holdRendering(held);
    throw;
  }
  Rendering = false;
  holdRendering(held);
}

}  // namespace lumabord
