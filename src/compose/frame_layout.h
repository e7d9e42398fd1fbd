// A framed photo made ready to paint: every asset read and every layer placed, so that the
// result can be painted whole or a band of rows at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "compose/compose_frame.h"
#include "compose/frame_geometry.h"

namespace lumabord {

// Consecutive rows of the photo: row py lies at data + (py - first) * stride.
struct PhotoRows {
  const uint8_t* data = nullptr;
  size_t stride = 0;
  int first = 0;
  [[nodiscard]] const uint8_t* row(int py) const {
    return data + stride * static_cast<size_t>(py - first);
  }
};

// What the signature lays over the inner level (the inner matte with the photo, right after
// the photo) or the outer level (the outer matte, after its edge shadow).
struct LevelOverlays {
  const LevelOverlay* inner = nullptr;
  const LevelOverlay* outer = nullptr;
};

class FrameLayout {
 public:
  // Reads the design's files for a photo of the given size; throws Error naming the file
  // or the cause. drawPhoto false leaves the photo's place to the inner matte's ring.
  FrameLayout(const FrameSpec& spec, int photoWidth, int photoHeight, bool drawPhoto,
              const RenderContext& context);
  ~FrameLayout();
  FrameLayout(const FrameLayout&) = delete;
  FrameLayout& operator=(const FrameLayout&) = delete;

  [[nodiscard]] const FrameGeometry& geometry() const;
  [[nodiscard]] int width() const { return geometry().result.w; }
  [[nodiscard]] int height() const { return geometry().result.h; }

  // Paints result rows y .. y + count - 1 into out (stride bytes a row). photo holds at
  // least the photo rows that fall into those rows, or has no data when the photo's pixels
  // are already in place in out (every other pixel is painted over); the overlays are laid over
  // their levels as those are painted.
  void paintRows(int y, int count, uint8_t* out, size_t stride, const PhotoRows& photo,
                 const LevelOverlays& overlays = {}) const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace lumabord
