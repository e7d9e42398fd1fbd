// The program's own imaging steps behind FrameEngine.
#include "output/frame_engine.h"

#include "base/error.h"
#include "codecs/picture_loader.h"
#include "compose/asset_paths.h"
#include "compose/compose_frame.h"
#include "compose/resample.h"
#include "compose/texture_cache.h"

namespace lumabord {

StandardFrameEngine::StandardFrameEngine(std::filesystem::path appPath)
    : appPath_(std::move(appPath)) {}

void StandardFrameEngine::prepare(const FrameSpec& spec) {
  prefetchTextures(designTextures(spec, appPath_));
}

Image StandardFrameEngine::loadPhoto(const std::filesystem::path& path) {
  return loadPicture(path);
}

void StandardFrameEngine::composeFrame(const FrameSpec& spec, Image& photo, bool queueEmpty,
                                       Image& framed) {
  RenderContext context;
  context.appPath = appPath_;
  ComposeFrame(spec, photo, queueEmpty, context, framed);
}

Size StandardFrameEngine::fitWithin(int width, int height, int maxWidth, int maxHeight) {
  return FitWithin(width, height, maxWidth, maxHeight);
}

void StandardFrameEngine::resizeImage(const Image& source, Image& target, int width, int height) {
  ResizeImage(source, target, width, height);
}

void StandardFrameEngine::writeImage(const std::filesystem::path& path, const Image& image,
                                     OutputFormat format, const JpegOptions& options) {
  writeImageFile(path, image, format, options);
}

}  // namespace lumabord
