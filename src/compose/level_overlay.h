// What the signature lays over the level it is drawn on (the inner matte with the photo, or
// the outer matte): every pixel it covers changes as a function of that pixel alone, so the
// renderer can lay it a band of rows at a time, on several threads, and get the same bytes as
// drawing it onto the whole level.
#pragma once

#include <cstdint>
#include <memory>

#include "base/image.h"
#include "codecs/photo_facts.h"
#include "compose/canvas.h"
#include "compose/frame_spec.h"

namespace lumabord {

class LevelOverlay {
 public:
  virtual ~LevelOverlay() = default;
  // The rectangle it covers, in level coordinates; it may reach past the level's edges.
  [[nodiscard]] virtual Rect area() const = 0;
  // Lays it over pixels x0 .. x1 - 1 of level row y (all inside area()); pixels points at
  // pixel x0. Must be safe to call from several threads at once.
  virtual void lay(int y, int x0, int x1, uint8_t* pixels) const = 0;
};

// Lays overlay over the part of `visible` (canvas coordinates) it covers, the level's
// top-left corner lying at (originX, originY) of the canvas.
void layOverlay(const Canvas& canvas, const Rect& visible, int originX, int originY,
                const LevelOverlay& overlay);

// Lays overlay over a whole level image.
void layOverlay(Image& level, const LevelOverlay& overlay);

// Places and draws the signature on the levels of a framed picture.
class SignatureDrawer {
 public:
  virtual ~SignatureDrawer() = default;
  // Renders what the signature needs (its glyphs) on the thread that owns the glyph cache;
  // after it, PlaceSignature only computes and may run on another thread.
  virtual void prepare() {}
  // What the signature lays over a level of width x height of the design (its SigDrawOn,
  // SigAlign and margins); nullptr when it draws nothing. Throws Error when the lettering
  // cannot be made.
  [[nodiscard]] virtual std::shared_ptr<const LevelOverlay> PlaceSignature(const FrameSpec& spec,
                                                                           int width,
                                                                           int height) = 0;
  // Whether the lettering differs from photo to photo (its text names the photo's facts).
  [[nodiscard]] virtual bool usesPhotoFacts() const { return false; }
  // PlaceSignature for the photo facts describes rather than the window's working photo;
  // the batch places each photo's signature this way.
  [[nodiscard]] virtual std::shared_ptr<const LevelOverlay> PlacePhotoSignature(
      const FrameSpec& spec, int width, int height, const PhotoFacts& /*photo*/) {
    return PlaceSignature(spec, width, height);
  }
};

}  // namespace lumabord
