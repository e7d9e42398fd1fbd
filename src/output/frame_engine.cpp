// The program's own imaging steps behind FrameEngine.
#include "output/frame_engine.h"

#include "compose/asset_paths.h"
#include "compose/texture_cache.h"

namespace lumabord {
namespace {

class LayoutPainter final : public FramePainter {
 public:
  // The signature lands where ComposeFrame puts it: on the photo's level only when there is a
  // photo, on the outer matte otherwise.
  LayoutPainter(const FrameSpec& spec, int photoWidth, int photoHeight, bool queueEmpty,
                const RenderContext& context, const PhotoFacts& facts)
      : layout_(spec, photoWidth, photoHeight, !queueEmpty, context) {
    SignatureDrawer* signature = spec.SignatureOn ? context.signature : nullptr;
    if (!signature) return;
    const FrameGeometry& g = layout_.geometry();
    if (spec.SigDrawOn == 1 && !queueEmpty) {
      signature_ = signature->PlacePhotoSignature(spec, g.inner.w, g.inner.h, facts);
      overlays_.inner = signature_.get();
    } else if (spec.SigDrawOn == 0) {
      signature_ = signature->PlacePhotoSignature(spec, g.outer.w, g.outer.h, facts);
      overlays_.outer = signature_.get();
    }
  }
  int width() const override { return layout_.width(); }
  int height() const override { return layout_.height(); }
  Rect photo() const override { return layout_.geometry().photo; }
  void paintRows(int y, int count, uint8_t* out, size_t stride,
                 const PhotoRows& photo) const override {
    layout_.paintRows(y, count, out, stride, photo, overlays_);
  }

 private:
  FrameLayout layout_;
  std::shared_ptr<const LevelOverlay> signature_;
  LevelOverlays overlays_;
};

}  // namespace

StandardFrameEngine::StandardFrameEngine(std::filesystem::path appPath, SignatureDrawer* signature,
                                         PhotoOptions photoOptions)
    : appPath_(std::move(appPath)), signature_(signature), photoOptions_(photoOptions) {}

void StandardFrameEngine::prepare(const FrameSpec& spec) {
  // The glyph cache belongs to this thread; the photos are laid out on the stage's worker.
  // A text with variables composes each photo's text there, under the signature's lock:
  // nothing else draws lettering while a batch runs.
  if (spec.SignatureOn && signature_) signature_->prepare();
  prefetchTextures(designTextures(spec, appPath_));
}

std::unique_ptr<PhotoReader> StandardFrameEngine::openPhoto(const std::filesystem::path& path) {
  return openPhotoReader(path, {}, photoOptions_);
}

std::unique_ptr<PhotoReader> StandardFrameEngine::openPhotoChecked(
    const std::filesystem::path& path, const std::function<void(int64_t, int64_t)>& sizeCheck) {
  DecodeLimits limits;
  limits.onDeclaredSize = sizeCheck;
  return openPhotoReader(path, limits, photoOptions_);
}

std::unique_ptr<FramePainter> StandardFrameEngine::layoutFrame(const FrameSpec& spec,
                                                               const std::filesystem::path& photo,
                                                               int photoWidth, int photoHeight,
                                                               bool queueEmpty) {
  RenderContext context;
  context.appPath = appPath_;
  context.signature = signature_;
  const bool needsFacts = spec.SignatureOn && signature_ && signature_->usesPhotoFacts();
  static const PhotoFacts kNone;
  return std::make_unique<LayoutPainter>(spec, photoWidth, photoHeight, queueEmpty, context,
                                         needsFacts ? factsOf(photo) : kNone);
}

const PhotoFacts& StandardFrameEngine::factsOf(const std::filesystem::path& photo) {
  if (photo.empty()) {
    facts_ = {};
  } else if (photo != factsPhoto_) {
    facts_ = readPhotoFacts(photo);
  }
  factsPhoto_ = photo;
  return facts_;
}

Size StandardFrameEngine::fitWithin(int width, int height, int maxWidth, int maxHeight) {
  return FitWithin(width, height, maxWidth, maxHeight);
}

void StandardFrameEngine::resizeImage(RowSource& framed, Image& target, int width, int height) {
  ResizeRows(framed, target, width, height);
}

void StandardFrameEngine::writeImage(const std::filesystem::path& path, const Image& image,
                                     OutputFormat format, const JpegOptions& options,
                                     const PhotoTags* photo) {
  writeImageFile(path, image, format, options, photo);
}

}  // namespace lumabord
