// The print image through the batch's framing and resampling.
#include "print/print_image.h"

#include <algorithm>

#include "compose/resample.h"
#include "output/compose_stage.h"

namespace lumabord {
namespace {

// The batch's rule: the box sides raised to at least 1, and at least one pixel a side.
Size outputSize(int width, int height, const FrameSpec& spec) {
  const Size size =
      FitWithin(width, height, std::max(1, spec.OutputWidth), std::max(1, spec.OutputHeight));
  return {std::max(1, size.width), std::max(1, size.height)};
}

}  // namespace

Image framedPrintImage(FrameEngine& engine, const FrameSpec& spec,
                       const std::filesystem::path& photo) {
  Image workPhoto;
  ComposeStage stage(engine, spec, {photo}, /*placeholder=*/false, /*keepPhoto=*/false, workPhoto);
  engine.prepare(spec);
  RowSource& framed = stage.take(0);
  const Size size = outputSize(framed.width(), framed.height(), spec);
  Image output;
  engine.resizeImage(framed, output, size.width, size.height);
  stage.release(0);
  return output;
}

Image fitIntoOutputBox(const Image& framed, const FrameSpec& spec) {
  const Size size = outputSize(framed.width(), framed.height(), spec);
  Image output;
  ResizeImage(framed, output, size.width, size.height);
  return output;
}

}  // namespace lumabord
