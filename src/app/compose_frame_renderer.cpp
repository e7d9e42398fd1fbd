// PreviewRenderer over ComposeFrame and its laid-out picture.
#include "app/main_model.h"
#include "compose/compose_frame.h"
#include "compose/framed_picture.h"

namespace lumabord {
namespace {

class ComposeFrameRenderer final : public PreviewRenderer {
 public:
  explicit ComposeFrameRenderer(SignatureDrawer* signature) : signature_(signature) {}
  void render(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
              const std::filesystem::path& appPath, RenderSteps& steps, Image& target) override {
    ComposeFrame(spec, workPhoto, queueEmpty, context(appPath, steps), target);
  }
  FramedPicture prepare(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                        const std::filesystem::path& appPath, RenderSteps& steps) override {
    return PrepareFrame(spec, workPhoto, queueEmpty, context(appPath, steps));
  }

 private:
  RenderContext context(const std::filesystem::path& appPath, RenderSteps& steps) const {
    RenderContext context;
    context.appPath = appPath;
    context.steps = &steps;
    context.signature = signature_;
    return context;
  }

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
