// The program's own imaging steps behind FrameEngine.
#include "output/frame_engine.h"

#include "base/error.h"
#include "codecs/picture_loader.h"
#include "compose/compose_frame.h"

namespace lumabord {

// The renderer and the resampler are built on their own; until they are linked into the
// library their symbols stay weak here, and a batch reports their absence as an error.
[[gnu::weak]] void ComposeFrame(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                                const RenderContext& context, Image& target);
[[gnu::weak]] Size FitWithin(int W, int H, int maxW, int maxH);
[[gnu::weak]] void ResizeImage(const Image& source, Image& target, int newW, int newH);

namespace {

template <typename Function>
void requireLinked(Function* function, const char* what) {
  if (function == nullptr) fail("This build of Lumabord has no %s", what);
}

}  // namespace

StandardFrameEngine::StandardFrameEngine(std::filesystem::path appPath)
    : appPath_(std::move(appPath)) {}

Image StandardFrameEngine::loadPhoto(const std::filesystem::path& path) {
  return loadPicture(path);
}

void StandardFrameEngine::composeFrame(const FrameSpec& spec, Image& photo, bool queueEmpty,
                                       Image& framed) {
  requireLinked(&ComposeFrame, "frame renderer");
  RenderContext context;
  context.appPath = appPath_;
  ComposeFrame(spec, photo, queueEmpty, context, framed);
}

Size StandardFrameEngine::fitWithin(int width, int height, int maxWidth, int maxHeight) {
  requireLinked(&FitWithin, "image resampler");
  return FitWithin(width, height, maxWidth, maxHeight);
}

void StandardFrameEngine::resizeImage(const Image& source, Image& target, int width, int height) {
  requireLinked(&ResizeImage, "image resampler");
  ResizeImage(source, target, width, height);
}

void StandardFrameEngine::writeImage(const std::filesystem::path& path, const Image& image,
                                     OutputFormat format, const JpegOptions& options) {
  writeImageFile(path, image, format, options);
}

}  // namespace lumabord
