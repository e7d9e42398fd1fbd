// A framed photo laid out once and painted on demand: whole, or resampled for display a band
// of rows at a time, so that a reduced view never needs the whole framed image.
#pragma once

#include <memory>

#include "base/image.h"
#include "compose/compose_frame.h"
#include "compose/resample.h"

namespace lumabord {

class FramedPicture {
 public:
  // No picture.
  FramedPicture();
  // A picture painted already.
  explicit FramedPicture(Image whole);
  // Reads the design's files and places the layers and the signature around photo (both
  // sides above 0), reporting the steps as ComposeFrame does but for the final " "; throws
  // Error naming the file or the cause. photo must stay as it is while the picture paints
  // from it: keepPhoto before it changes.
  FramedPicture(const FrameSpec& spec, const Image& photo, bool queueEmpty,
                const RenderContext& context);
  ~FramedPicture();
  FramedPicture(FramedPicture&&) noexcept;
  FramedPicture& operator=(FramedPicture&&) noexcept;

  [[nodiscard]] int width() const { return size_.width; }
  [[nodiscard]] int height() const { return size_.height; }
  [[nodiscard]] bool empty() const { return size_.width == 0 || size_.height == 0; }

  // The whole framed image, painted on first use and kept. Not safe to call from two
  // threads at once.
  [[nodiscard]] const Image& whole() const;
  // Paints the whole framed image into target, reusing its buffer when it is large enough.
  // paint, whole and paintReduced throw Error when the photo changed size under the picture.
  void paint(Image& target) const;
  // The framed image reduced to width x height as the preview shows it: Resample with
  // BoxFilter, the same bytes whether or not the whole image has been painted.
  void paintReduced(Image& target, int width, int height) const;

  // photo, which the picture paints from, is about to change: the picture keeps its pixels,
  // moving them out of photo when take is set and copying them otherwise. Nothing happens
  // for any other image.
  void keepPhoto(Image& photo, bool take);

 private:
  struct Layout;
  // Throws Error when the photo is no longer the size the layout was made for.
  void checkPhoto() const;
  void paintRows(int y, int count, uint8_t* out, size_t stride) const;

  Size size_;
  std::unique_ptr<const Layout> layout_;  // nullptr: no layout (empty or painted already)
  const Image* photo_ = nullptr;          // what the layout paints the photo from
  Image ownPhoto_;                        // the photo's pixels once kept
  mutable Image whole_;                   // the whole image once painted
  mutable bool painted_ = false;
};

}  // namespace lumabord
