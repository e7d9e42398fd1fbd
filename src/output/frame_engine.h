// The imaging steps of one photo of a batch (open, lay out the frame, fit, resample, write),
// behind an interface so that the batch logic is tested without real pictures. The framed
// picture is never held whole: it is painted a band of rows at a time while the photo
// decodes, and resampled as the rows arrive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "base/image.h"
#include "codecs/image_writers.h"
#include "codecs/photo_reader.h"
#include "compose/frame_layout.h"
#include "compose/frame_spec.h"
#include "compose/resample.h"
#include "compose/row_source.h"

namespace lumabord {

// The framed picture of one photo, painted band by band.
class FramePainter {
 public:
  virtual ~FramePainter() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Where the photo lies, in result coordinates.
  virtual Rect photo() const = 0;
  // Paints result rows y .. y + count - 1 into out (stride bytes a row); photo holds the
  // photo rows that fall into them, or has no data when they are already in place.
  virtual void paintRows(int y, int count, uint8_t* out, size_t stride,
                         const PhotoRows& photo) const = 0;
};

// Implementations must allow openPhoto, layoutFrame and the painter on one thread while
// fitWithin, resizeImage and writeImage run on another.
class FrameEngine {
 public:
  virtual ~FrameEngine() = default;
  // Called once at the start of every batch, on the caller's thread while the first photo
  // is being opened on the other: may read the design's assets ahead.
  virtual void prepare(const FrameSpec& /*spec*/) {}
  // Opens the photo (its size known, its rows decoded as they are read); throws Error
  // with the loader's message.
  virtual std::unique_ptr<PhotoReader> openPhoto(const std::filesystem::path& path) = 0;
  // The same, calling sizeCheck with the size the file's header declares before the photo
  // is decoded, so a size the frame cannot take is refused without decoding it.
  virtual std::unique_ptr<PhotoReader> openPhotoChecked(
      const std::filesystem::path& path,
      const std::function<void(int64_t, int64_t)>& /*sizeCheck*/) {
    return openPhoto(path);
  }
  // Reads the design's files and places the layers around a photo of that size; throws
  // Error on failure. photo is the photo's file, whose facts fill the signature's variables
  // (empty: none); queueEmpty leaves the photo out.
  virtual std::unique_ptr<FramePainter> layoutFrame(const FrameSpec& spec,
                                                    const std::filesystem::path& photo,
                                                    int photoWidth, int photoHeight,
                                                    bool queueEmpty) = 0;
  virtual Size fitWithin(int width, int height, int maxWidth, int maxHeight) = 0;
  // Resamples the framed picture, which arrives row by row, into target.
  virtual void resizeImage(RowSource& framed, Image& target, int width, int height) = 0;
  // Writes a complete file or throws Error; an existing file is replaced only when complete.
  // photo is what the framed photo carried (its profile and metadata go into the file).
  virtual void writeImage(const std::filesystem::path& path, const Image& image,
                          OutputFormat format, const JpegOptions& options,
                          const PhotoTags* photo) = 0;
};

// The program's own steps: the photo loader (upright, sRGB), the frame layout with the assets of
// appPath and the signature (nullptr: none) with each photo's facts, FitWithin, ResizeImage and
// the writers. The design's textures are decoded into the texture cache while the first photo
// opens.
class StandardFrameEngine final : public FrameEngine {
 public:
  explicit StandardFrameEngine(std::filesystem::path appPath, SignatureDrawer* signature = nullptr,
                               PhotoOptions photoOptions = {});
  void prepare(const FrameSpec& spec) override;
  std::unique_ptr<PhotoReader> openPhoto(const std::filesystem::path& path) override;
  std::unique_ptr<PhotoReader> openPhotoChecked(
      const std::filesystem::path& path,
      const std::function<void(int64_t, int64_t)>& sizeCheck) override;
  std::unique_ptr<FramePainter> layoutFrame(const FrameSpec& spec,
                                            const std::filesystem::path& photo, int photoWidth,
                                            int photoHeight, bool queueEmpty) override;
  Size fitWithin(int width, int height, int maxWidth, int maxHeight) override;
  void resizeImage(RowSource& framed, Image& target, int width, int height) override;
  void writeImage(const std::filesystem::path& path, const Image& image, OutputFormat format,
                  const JpegOptions& options, const PhotoTags* photo) override;
  // How the photos of the following batches are opened (upright or as stored).
  void setPhotoOptions(const PhotoOptions& options) { photoOptions_ = options; }

 private:
  // The facts of the photo laid out last, read only when the signature's text needs them.
  [[nodiscard]] const PhotoFacts& factsOf(const std::filesystem::path& photo);

  std::filesystem::path appPath_;
  SignatureDrawer* signature_;
  std::filesystem::path factsPhoto_;  // whose facts facts_ holds
  PhotoFacts facts_;
  PhotoOptions photoOptions_;
};

}  // namespace lumabord
