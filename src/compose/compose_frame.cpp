// ComposeFrame: the framed picture laid out, then painted whole.
#include "compose/compose_frame.h"

#include "compose/framed_picture.h"

namespace lumabord {
namespace {

// Reports " " when the call ends, whether it succeeded or failed.
class StepReporter {
 public:
  explicit StepReporter(RenderSteps* steps) : steps_(steps) {}
  ~StepReporter() {
    try {
      if (steps_) steps_->ShowRenderStep(" ");
    } catch (...) {
      // A failing status display must not hide the render's own outcome.
    }
  }
  StepReporter(const StepReporter&) = delete;
  StepReporter& operator=(const StepReporter&) = delete;

 private:
  RenderSteps* steps_;
};

}  // namespace

FramedPicture PrepareFrame(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                           const RenderContext& context) {
  if (workPhoto.width() == 0 || workPhoto.height() == 0) {
    // The blank-photo convention: a zero side becomes 800 wide or 600 high, white.
    workPhoto.reshape(workPhoto.width() == 0 ? 800 : workPhoto.width(),
                      workPhoto.height() == 0 ? 600 : workPhoto.height());
    workPhoto.fill({255, 255, 255});
  }
  StepReporter steps(context.steps);
  return FramedPicture(spec, workPhoto, queueEmpty, context);
}

void ComposeFrame(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                  const RenderContext& context, Image& target) {
  // Every file is read before the first pixel is painted, so a failure leaves target as it was.
  PrepareFrame(spec, workPhoto, queueEmpty, context).paint(target);
}

}  // namespace lumabord
