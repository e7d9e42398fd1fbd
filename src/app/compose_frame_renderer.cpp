// PreviewRenderer over ComposeFrame.
#include "app/main_model.h"
#include "compose/compose_frame.h"

namespace lumabord {
namespace {

class ComposeFrameRenderer final : public PreviewRenderer {
 public:
  explicit ComposeFrameRenderer(SignatureDrawer* signature) : signature_(signature) {}
  void render(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
              const std::filesystem::path& appPath, RenderSteps& steps, Image& target) override {
    RenderContext context;
    context.appPath = appPath;
    context.steps = &steps;
    context.signature = signature_;
    ComposeFrame(spec, workPhoto, queueEmpty, context, target);
  }

 private:
  SignatureDrawer* signature_;
};

}  // namespace

PreviewRenderer& composeFrameRenderer() {
  static ComposeFrameRenderer renderer(nullptr);
  return renderer;
}

std::unique_ptr<PreviewRenderer> makeComposeFrameRenderer(SignatureDrawer* signature) {
  return std::make_unique<ComposeFrameRenderer>(signature);
}

}  // namespace lumabord
