// Photos read top to bottom a band of rows at a time, so that a batch can frame and
// resample a photo while it decodes, without holding the photo whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <utility>

#include "base/image.h"
#include "codecs/photo_tags.h"
#include "codecs/picture_loader.h"
#include "codecs/srgb_conversion.h"

namespace lumabord {

class PhotoReader {
 public:
  virtual ~PhotoReader() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Decodes the next count rows, top-down, into rows[0..count-1] (3 * width B,G,R bytes
  // each). Throws Error with the reader's message when the data is bad; reading beyond the
  // last row is an error too.
  virtual void readRows(uint8_t* const* rows, int count) = 0;
  // What the photo file carries beside its pixels; the rows are already upright and sRGB.
  virtual const PhotoTags& tags() const {
    static const PhotoTags none;
    return none;
  }
  // Hands the conversion to sRGB that the rows still need over to the caller: readRows then
  // leaves it out, and the caller converts the rows itself, on a thread with time to spare.
  // nullptr when the rows need none, or are converted before they are read.
  virtual std::shared_ptr<const SrgbConversion> takeConversion() { return nullptr; }
};

// The rows of an image already in memory, which must outlive the reader.
class ImageRowReader final : public PhotoReader {
 public:
  explicit ImageRowReader(const Image& image) : image_(image) {}
  int width() const override { return image_.width(); }
  int height() const override { return image_.height(); }
  void readRows(uint8_t* const* rows, int count) override;

 private:
  const Image& image_;
  int next_ = 0;
};

// A decoded image handed out row by row.
class DecodedPhotoReader final : public PhotoReader {
 public:
  explicit DecodedPhotoReader(Image image, PhotoTags tags = {})
      : image_(std::move(image)), tags_(std::move(tags)), rows_(image_) {}
  int width() const override { return rows_.width(); }
  int height() const override { return rows_.height(); }
  void readRows(uint8_t* const* rows, int count) override { rows_.readRows(rows, count); }
  const PhotoTags& tags() const override { return tags_; }

 private:
  const Image image_;  // before rows_, which reads it
  const PhotoTags tags_;
  ImageRowReader rows_;
};

// Opens a photo like loadPhoto (the same reader, checks and messages; upright and sRGB):
// upright JPEG files are decoded row by row as they are read, other photos whole when opened.
// limits.onDeclaredSize hears the upright size.
[[nodiscard]] std::unique_ptr<PhotoReader> openPhotoReader(const std::filesystem::path& path,
                                                           const DecodeLimits& limits = {},
                                                           const PhotoOptions& options = {});

}  // namespace lumabord
