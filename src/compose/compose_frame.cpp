// ComposeFrame: the layout paints the result in two bands at once, laying the signature over
// its level as that is painted.
#include "compose/compose_frame.h"

#include <cstdint>
#include <memory>

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

  // The signature is placed before the result is touched: placing may fail, and target must
  // keep what it held then. Its steps are reported in the order the levels are built.
  SignatureDrawer* signature = spec.SignatureOn ? context.signature : nullptr;
  std::shared_ptr<const LevelOverlay> innerSignature;
  std::shared_ptr<const LevelOverlay> outerSignature;
  if (!queueEmpty) steps.show("Drawing Image");
  if (signature && spec.SigDrawOn == 1 && !queueEmpty) {
    innerSignature = signature->PlaceSignature(spec, g.inner.w, g.inner.h);
  }
  steps.show("Drawing Outer Matte");
  if (spec.SignatureOn && spec.SigDrawOn == 0) {
    steps.show("Drawing Signature");
    if (signature) outerSignature = signature->PlaceSignature(spec, g.outer.w, g.outer.h);
  }
  steps.show("Drawing Frame");
  if (g.dropShadow) steps.show("Drawing Shadow");
  const LevelOverlays overlays{innerSignature.get(), outerSignature.get()};

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
                     overlays);
  };
  const bool large = uint64_t{resultBytes} >= kParallelBytes;
  forRowsInParallel(static_cast<size_t>(g.result.h), large ? 2 : SIZE_MAX, paintRows);
  if (!inPlace) target = std::move(fresh);
}

}  // namespace lumabord
