// Placing and drawing the signature, and the dialog preview's background.
#include "signature/signature.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "signature/signature_variables.h"

namespace lumabord {
namespace {

// A composed text laid with its top-left corner at (x, y) of a level.
class PlacedText final : public LevelOverlay {
 public:
  PlacedText(std::shared_ptr<const TextStamp> stamp, int x, int y)
      : stamp_(std::move(stamp)), x_(x), y_(y) {}
  Rect area() const override { return {x_, y_, stamp_->width(), stamp_->height()}; }
  void lay(int y, int x0, int x1, uint8_t* pixels) const override {
    stamp_->lay(y - y_, x0 - x_, x1 - x_, pixels);
  }

 private:
  std::shared_ptr<const TextStamp> stamp_;
  int x_;
  int y_;
};

}  // namespace

int signatureMargin(const FrameSpec& spec) {
  return spec.SigDrawOn == 1 ? spec.InnerWidth : spec.ShadowSize / 2;
}

SignaturePoint signatureCorner(int align, int m, int W, int H, int w, int h) {
  if (align < 0 || align > 5) align = 4;
  const int cx = (W - w) / 2;  // truncates toward zero
  const int x = align % 3 == 0 ? m : align % 3 == 1 ? cx : W - w - m;
  const int y = align < 3 ? m : H - h - m;
  return {x, y};
}

Signature::Signature(SmoothText3D& renderer) : renderer_(renderer) {}

void Signature::setLettering(SignatureLettering lettering) {
  std::lock_guard lock(mutex_);
  lettering_ = std::move(lettering);
  variables_ = hasSignatureVariables(lettering_.text);
  measured_ = false;
  stamp_.reset();
}

SignatureLettering Signature::lettering() const {
  std::lock_guard lock(mutex_);
  return lettering_;
}

void Signature::setPhotoFacts(PhotoFacts facts) {
  std::lock_guard lock(mutex_);
  photoFacts_ = std::move(facts);
}

PhotoFacts Signature::photoFacts() const {
  std::lock_guard lock(mutex_);
  return photoFacts_;
}

bool Signature::usesPhotoFacts() const {
  std::lock_guard lock(mutex_);
  return variables_;
}

std::string Signature::textFor(const PhotoFacts& photo) const {
  std::lock_guard lock(mutex_);
  return textForLocked(photo);
}

std::string Signature::textForLocked(const PhotoFacts& photo) const {
  // Without variables the photo changes nothing; the escapes are still written.
  if (!variables_) return expandSignatureText(lettering_.text, {});
  SignatureValues values = signatureValues(photo);
  for (std::string* value : {&values.year, &values.date, &values.artist, &values.copyright,
                             &values.camera, &values.file}) {
    *value = utf8ToCp1252(*value);
  }
  return expandSignatureText(lettering_.text, values);
}

void Signature::measure(const std::string& text) {
  if (measured_ && text == measuredText_) return;
  TFont3D& font3d = lettering_.font3d;
  width_ = renderer_.textWidth(lettering_.font, text, font3d);
  height_ = renderer_.textHeight(lettering_.font, text, font3d);
  stamp_ = renderer_.stamp(lettering_.font, font3d, text);
  measuredText_ = text;
  measured_ = true;
}

void Signature::prepare() {
  std::lock_guard lock(mutex_);
  measure(textForLocked(photoFacts_));
}

std::shared_ptr<const LevelOverlay> Signature::PlaceSignature(const FrameSpec& spec, int width,
                                                              int height) {
  std::lock_guard lock(mutex_);
  return place(spec, width, height, photoFacts_);
}

std::shared_ptr<const LevelOverlay> Signature::PlacePhotoSignature(const FrameSpec& spec, int width,
                                                                   int height,
                                                                   const PhotoFacts& photo) {
  std::lock_guard lock(mutex_);
  return place(spec, width, height, photo);
}

std::shared_ptr<const LevelOverlay> Signature::place(const FrameSpec& spec, int width, int height,
                                                     const PhotoFacts& photo) {
  measure(textForLocked(photo));
  if (!stamp_) return nullptr;
  const SignaturePoint at =
      signatureCorner(spec.SigAlign, signatureMargin(spec), width, height, width_, height_);
  return std::make_shared<PlacedText>(stamp_, at.x, at.y);
}

void Signature::DrawSignature(const FrameSpec& spec, Image& bitmap, bool draw) {
  const std::shared_ptr<const LevelOverlay> placed =
      PlaceSignature(spec, bitmap.width(), bitmap.height());
  if (draw && placed) layOverlay(bitmap, *placed);
}

void MakeSignatureBackdrop(Image& bitmap, bool onOuterMatte, int align, bool usesColour,
                           const BackdropSources& sources) {
  bitmap.fill({255, 255, 255});
  const int bw = bitmap.width();
  const int bh = bitmap.height();
  if (onOuterMatte) {
    if (usesColour) {
      bitmap.fill(sources.outerColour);
      return;
    }
    const Image* t = sources.outerTexture;
    if (!t || t->empty()) return;
    for (int y = 0; y < bh; ++y) {
      for (int x = 0; x < bw; ++x) bitmap.setPixel(x, y, t->pixel(x % t->width(), y % t->height()));
    }
    return;
  }
  const Image* photo = sources.photo;
  if (!photo || photo->empty() || bw <= 0 || bh <= 0) return;
  if (align < 0 || align > 5) align = 4;
  const int pw = photo->width();
  const int ph = photo->height();
  const int c = (pw - bw) / 2;
  int left = 0, right = bw;
  if (align % 3 == 1) {
    left = c;
    right = pw - c;
  } else if (align % 3 == 2) {
    left = pw - bw;
    right = pw;
  }
  const int top = align < 3 ? 0 : ph - bh;
  const int64_t sw = right - left;
  // The piece stretched onto the bitmap, each pixel from the nearest source pixel.
  for (int y = 0; y < bh; ++y) {
    const int sy = top + y;
    if (sy < 0 || sy >= ph) continue;
    for (int x = 0; x < bw; ++x) {
      const auto sx = static_cast<int>(left + static_cast<int64_t>(x) * sw / bw);
      if (sx >= 0 && sx < pw) bitmap.setPixel(x, y, photo->pixel(sx, sy));
    }
  }
}

}  // namespace lumabord
