// Photos as cameras and phones store them: the orientation tag turned into upright rows and
// an embedded ICC profile into sRGB. A photo without tags decodes exactly as a picture does.
#include "base/error.h"
#include "codecs/jpeg_row_decoder.h"
#include "codecs/orientation.h"
#include "codecs/photo_reader.h"
#include "codecs/reader_table.h"
#include "codecs/srgb_conversion.h"

namespace lumabord {
namespace {

// A photo file read and its tags known, before its pixels are decoded.
struct OpenedPhoto {
  FileBytes bytes;
  std::string name;
  PictureReader reader = nullptr;
  PhotoTags tags;
  DecodeLimits limits;
};

OpenedPhoto openPhoto(const std::filesystem::path& path, const DecodeLimits& limits,
                      const PhotoOptions& options) {
  const std::string extension = extensionOf(path);
  OpenedPhoto photo{readPictureFile(path, extension), path.string(), nullptr, {}, limits};
  photo.reader = chooseReader(photo.bytes.span(), extension, photo.name);
  photo.tags = readPhotoTags(photo.bytes.span());
  // The frame is laid out around the size the photo will have.
  if (options.autoOrient && swapsSides(photo.tags.orientation) && limits.onDeclaredSize) {
    photo.limits.onDeclaredSize = [declared = limits.onDeclaredSize](int64_t w, int64_t h) {
      declared(h, w);
    };
  }
  return photo;
}

std::shared_ptr<const SrgbConversion> conversionFor(const PhotoTags& tags) {
  return tags.iccProfile.empty() ? nullptr : SrgbConversion::forProfile(tags.iccProfile);
}

// Decodes the whole photo, converts it to sRGB and turns it upright; tags keeps what it
// carries, with the orientation that is left to apply.
Image decodeWhole(OpenedPhoto& photo, const PhotoOptions& options) {
  PictureSource source{photo.bytes.span(), photo.name, photo.limits, &photo.tags};
  Image image = photo.reader(source);
  if (const auto conversion = conversionFor(photo.tags)) conversion->convert(image);
  if (options.autoOrient && photo.tags.orientation != 1) {
    image = orientUpright(image, photo.tags.orientation);
    photo.tags.orientation = 1;
  }
  return image;
}

// An upright JPEG file held in memory, decoded and converted to sRGB band by band as its
// rows are asked for.
class StreamedJpegReader final : public PhotoReader {
 public:
  explicit StreamedJpegReader(OpenedPhoto photo)
      : photo_(std::move(photo)),
        decoder_(photo_.bytes.span(),
                 PictureSource{photo_.bytes.span(), photo_.name, photo_.limits, &photo_.tags}),
        conversion_(conversionFor(photo_.tags)) {}
  int width() const override { return decoder_.width(); }
  int height() const override { return decoder_.height(); }
  const PhotoTags& tags() const override { return photo_.tags; }
  std::shared_ptr<const SrgbConversion> takeConversion() override { return std::move(conversion_); }

  void readRows(uint8_t* const* rows, int count) override {
    decoder_.readRows(rows, count);
    if (!conversion_) return;
    for (int i = 0; i < count; ++i) conversion_->convertRows(rows[i], 0, width(), 1);
  }

 private:
  OpenedPhoto photo_;  // before decoder_, which reads its bytes
  JpegRowDecoder decoder_;
  std::shared_ptr<const SrgbConversion> conversion_;
};

}  // namespace

Image loadPhoto(const std::filesystem::path& path, const DecodeLimits& limits,
                const PhotoOptions& options, PhotoTags* tags) {
  OpenedPhoto photo = openPhoto(path, limits, options);
  Image image = decodeWhole(photo, options);
  if (tags) *tags = std::move(photo.tags);
  return image;
}

std::unique_ptr<PhotoReader> openPhotoReader(const std::filesystem::path& path,
                                             const DecodeLimits& limits,
                                             const PhotoOptions& options) {
  OpenedPhoto photo = openPhoto(path, limits, options);
  const bool upright = !options.autoOrient || photo.tags.orientation == 1;
  if (photo.reader == readJpeg && upright)
    return std::make_unique<StreamedJpegReader>(std::move(photo));
  Image image = decodeWhole(photo, options);
  return std::make_unique<DecodedPhotoReader>(std::move(image), std::move(photo.tags));
}

}  // namespace lumabord
