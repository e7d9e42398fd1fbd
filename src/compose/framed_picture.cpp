// FramedPicture: the frame layout with the signature placed over its level, and the photo it
// paints from.
#include "compose/framed_picture.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "base/error.h"
#include "compose/frame_layout.h"
#include "compose/parallel_rows.h"

namespace lumabord {
namespace {

// Whole results from this size on are painted by two threads.
constexpr uint64_t kParallelBytes = uint64_t{4} << 20;

void show(const RenderContext& context, const char* step) {
  if (context.steps) context.steps->ShowRenderStep(step);
}

}  // namespace

// The layout keeps a reference to its design, so both live at one fixed place.
struct FramedPicture::Layout {
  Layout(const FrameSpec& design, const Image& photo, bool queueEmpty, const RenderContext& context)
      : spec(design),
        frame(spec, photo.width(), photo.height(), !queueEmpty, context),
        photoWidth(photo.width()),
        photoHeight(photo.height()) {
    // The signature is placed in the order the levels are built, which the steps report.
    const FrameGeometry& g = frame.geometry();
    SignatureDrawer* signature = spec.SignatureOn ? context.signature : nullptr;
    if (!queueEmpty) show(context, "Drawing Image");
    if (signature && spec.SigDrawOn == 1 && !queueEmpty) {
      innerSignature = signature->PlaceSignature(spec, g.inner.w, g.inner.h);
    }
    show(context, "Drawing Outer Matte");
    if (spec.SignatureOn && spec.SigDrawOn == 0) {
      show(context, "Drawing Signature");
      if (signature) outerSignature = signature->PlaceSignature(spec, g.outer.w, g.outer.h);
    }
    show(context, "Drawing Frame");
    if (g.dropShadow) show(context, "Drawing Shadow");
    overlays = {innerSignature.get(), outerSignature.get()};
  }

  const FrameSpec spec;
  const FrameLayout frame;
  std::shared_ptr<const LevelOverlay> innerSignature;
  std::shared_ptr<const LevelOverlay> outerSignature;
  LevelOverlays overlays;
  const int photoWidth;  // the size the layers were placed around
  const int photoHeight;
};

FramedPicture::FramedPicture() = default;

FramedPicture::FramedPicture(Image whole)
    : size_{whole.width(), whole.height()}, whole_(std::move(whole)), painted_(true) {}

FramedPicture::FramedPicture(const FrameSpec& spec, const Image& photo, bool queueEmpty,
                             const RenderContext& context)
    : photo_(&photo) {
  show(context, "Drawing Inner Matte");
  layout_ = std::make_unique<const Layout>(spec, photo, queueEmpty, context);
  size_ = {layout_->frame.width(), layout_->frame.height()};
}

FramedPicture::~FramedPicture() = default;
FramedPicture::FramedPicture(FramedPicture&& other) noexcept {
  *this = std::move(other);
}

FramedPicture& FramedPicture::operator=(FramedPicture&& other) noexcept {
  if (this == &other) return *this;
  size_ = std::exchange(other.size_, {});
  layout_ = std::move(other.layout_);
  // A kept photo moves along, and the pointer with it.
  const bool kept = other.photo_ == &other.ownPhoto_;
  ownPhoto_ = std::move(other.ownPhoto_);
  photo_ = kept ? &ownPhoto_ : other.photo_;
  other.photo_ = nullptr;
  whole_ = std::move(other.whole_);
  painted_ = std::exchange(other.painted_, false);
  return *this;
}

void FramedPicture::checkPhoto() const {
  // Reading a photo of another size would go past its rows.
  if (photo_->width() != layout_->photoWidth || photo_->height() != layout_->photoHeight)
    fail("The photo of the framed picture changed while it was shown");
}

void FramedPicture::paintRows(int y, int count, uint8_t* out, size_t stride) const {
  const PhotoRows photo{photo_->data(), photo_->stride(), 0};
  layout_->frame.paintRows(y, count, out, stride, photo, layout_->overlays);
}

const Image& FramedPicture::whole() const {
  if (!painted_) {
    paint(whole_);
    painted_ = true;
  }
  return whole_;
}

void FramedPicture::paint(Image& target) const {
  if (painted_) {
    target.reshape(whole_.width(), whole_.height());
    if (!whole_.empty()) std::memcpy(target.data(), whole_.data(), whole_.sizeBytes());
    return;
  }
  if (!layout_) {
    target = Image();
    return;
  }
  checkPhoto();
  // The result goes straight into target when its buffer is large enough (and it is not the
  // photo itself); otherwise into a fresh image that replaces target once it is complete.
  const size_t bytes = 3 * static_cast<size_t>(width()) * static_cast<size_t>(height());
  const bool inPlace = &target != photo_ && target.capacity() >= bytes;
  Image fresh;
  if (inPlace) {
    target.reshape(width(), height());
  } else {
    fresh = Image(width(), height());
  }
  Image& result = inPlace ? target : fresh;
  // Every pixel depends only on its own position, so bands of rows can be painted apart;
  // large results are split over two threads (the first touch of a fresh buffer's pages
  // is then shared too).
  const auto paintBand = [&](size_t begin, size_t end, int) {
    const int y = static_cast<int>(begin);
    paintRows(y, static_cast<int>(end - begin), result.row(y), result.stride());
  };
  forRowsInParallel(static_cast<size_t>(height()), uint64_t{bytes} >= kParallelBytes ? 2 : SIZE_MAX,
                    paintBand);
  if (!inPlace) target = std::move(fresh);
}

void FramedPicture::paintReduced(Image& target, int width, int height) const {
  if (empty()) {
    target = Image();
    return;
  }
  if (painted_) {
    Resample(whole_, target, width, height, BoxFilter, kBoxRadius);
    return;
  }
  checkPhoto();
  ResamplePainted(
      this->width(), this->height(),
      [this](int y, int count, uint8_t* out, size_t stride) { paintRows(y, count, out, stride); },
      target, width, height, BoxFilter, kBoxRadius);
}

void FramedPicture::keepPhoto(Image& photo, bool take) {
  if (photo_ != &photo) return;
  ownPhoto_ = take ? std::move(photo) : photo.clone();
  photo_ = &ownPhoto_;
}

}  // namespace lumabord
