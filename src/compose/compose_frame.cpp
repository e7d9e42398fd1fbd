// ComposeFrame: the layout paints the result in two bands at once; a signature gets the
// level it is drawn on as an image of its own first.
#include "compose/compose_frame.h"

#include <cstdint>
#include <optional>

#include "compose/frame_layout.h"
#include "compose/parallel_rows.h"

namespace lumabord {
namespace {

// Reports " " when the call ends, whether it succeeded or failed.
class StepReporter {
 public:
  explicit StepReporter(RenderSteps* steps) : steps_(steps) {}
  ~StepReporter() {
    try {
      show(" ");
    } catch (...) {
      // A failing status display must not hide the render's own outcome.
    }
  }
  StepReporter(const StepReporter&) = delete;
  StepReporter& operator=(const StepReporter&) = delete;
  void show(const char* text) {
    if (steps_) steps_->ShowRenderStep(text);
  }

 private:
  RenderSteps* steps_;
};

// Results from this size on are painted by two threads.
constexpr uint64_t kParallelBytes = uint64_t{4} << 20;

}  // namespace

void ComposeFrame(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                  const RenderContext& context, Image& target) {
  if (workPhoto.width() == 0 || workPhoto.height() == 0) {
    // The blank-photo convention: a zero side becomes 800 wide or 600 high, white.
    workPhoto.reshape(workPhoto.width() == 0 ? 800 : workPhoto.width(),
                      workPhoto.height() == 0 ? 600 : workPhoto.height());
    workPhoto.fill({255, 255, 255});
  }
  StepReporter steps(context.steps);
  steps.show("Drawing Inner Matte");

  // Every file is read before the first pixel is painted, so a failure leaves target as it was.
  const FrameLayout layout(spec, workPhoto.width(), workPhoto.height(), !queueEmpty, context);
  const FrameGeometry& g = layout.geometry();
  const PhotoRows photo{workPhoto.data(), workPhoto.stride(), 0};

  // With a signature, the level it is drawn on gets its own image first; the drawer may
  // fail, and target must not have been touched by then.
  SignatureDrawer* signature = spec.SignatureOn ? context.signature : nullptr;
  std::optional<Level> innerLevel;
  std::optional<Level> outerLevel;
  if (signature && spec.SigDrawOn == 1 && !queueEmpty) {
    steps.show("Drawing Image");
    innerLevel.emplace(layout.paintInnerLevel(photo));
    signature->DrawSignature(innerLevel->image, false);
    signature->DrawSignature(innerLevel->image, true);
  }
  const bool signatureOnMatte = spec.SignatureOn && spec.SigDrawOn == 0;
  if (signatureOnMatte && signature) {
    if (!queueEmpty) steps.show("Drawing Image");
    steps.show("Drawing Outer Matte");
    outerLevel.emplace(layout.paintOuterLevel(photo));
    steps.show("Drawing Signature");
    signature->DrawSignature(outerLevel->image, false);
    signature->DrawSignature(outerLevel->image, true);
  }

  // The remaining steps are reported before the result is painted, so that no callback runs
  // while the caller's target is being painted in place.
  if (!outerLevel) {
    if (!innerLevel && !queueEmpty) steps.show("Drawing Image");
    steps.show("Drawing Outer Matte");
    if (signatureOnMatte) steps.show("Drawing Signature");
  }
  steps.show("Drawing Frame");
  if (g.dropShadow) steps.show("Drawing Shadow");

  // The result goes straight into target when its buffer is large enough (and it is not the
  // photo itself); otherwise into a fresh image that replaces target once it is complete.
  const size_t resultBytes = 3 * static_cast<size_t>(g.result.w) * static_cast<size_t>(g.result.h);
  const bool inPlace = &target != &workPhoto && target.capacity() >= resultBytes;
  Image fresh;
  if (inPlace) {
    target.reshape(g.result.w, g.result.h);
  } else {
    fresh = Image(g.result.w, g.result.h);
  }
  Image& result = inPlace ? target : fresh;
  // Every pixel depends only on its own position, so bands of rows can be painted apart;
  // large results are split over two threads (the first touch of a fresh buffer's pages
  // is then shared too).
  const auto paintRows = [&](size_t begin, size_t end, int) {
    const int y = static_cast<int>(begin);
    layout.paintRows(y, static_cast<int>(end - begin), result.row(y), result.stride(), photo,
                     innerLevel ? &*innerLevel : nullptr, outerLevel ? &*outerLevel : nullptr);
  };
  const bool large = uint64_t{resultBytes} >= kParallelBytes;
  forRowsInParallel(static_cast<size_t>(g.result.h), large ? 2 : SIZE_MAX, paintRows);
  if (!inPlace) target = std::move(fresh);
}

}  // namespace lumabord
