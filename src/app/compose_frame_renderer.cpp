// PreviewRenderer over ComposeFrame.
#include "app/main_model.h"
#include "compose/compose_frame.h"

namespace lumabord {
namespace {

class ComposeFrameRenderer final : public PreviewRenderer {
 public:
  void render(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
              const std::filesystem::path& appPath, RenderSteps& steps, Image& target) override {
    RenderContext context;
    context.appPath = appPath;
    context.steps = &steps;
    ComposeFrame(spec, workPhoto, queueEmpty, context, target);
  }
};

}  // namespace

PreviewRenderer& composeFrameRenderer() {
  static ComposeFrameRenderer renderer;
  return renderer;
}

}  // namespace lumabord
