// The imaging steps of one photo of a batch (load, frame, fit, resample, write), behind an
// interface so that the batch logic is tested without real pictures.
#pragma once

#include <filesystem>

#include "base/image.h"
#include "codecs/image_writers.h"
#include "compose/frame_spec.h"
#include "compose/resample.h"

namespace lumabord {

// Implementations must allow loadPhoto/composeFrame on one thread while fitWithin,
// resizeImage and writeImage run on another, as long as the two never share an image.
class FrameEngine {
 public:
  virtual ~FrameEngine() = default;
  // Called once at the start of every batch, on the caller's thread while the first photo
  // is being loaded on the other: may read the design's assets ahead.
  virtual void prepare(const FrameSpec& /*spec*/) {}
  // Decodes the photo; throws Error with the loader's message.
  virtual Image loadPhoto(const std::filesystem::path& path) = 0;
  // Fills framed with the framed image of photo; throws Error on failure.
  virtual void composeFrame(const FrameSpec& spec, Image& photo, bool queueEmpty,
                            Image& framed) = 0;
  virtual Size fitWithin(int width, int height, int maxWidth, int maxHeight) = 0;
  virtual void resizeImage(const Image& source, Image& target, int width, int height) = 0;
  // Writes a complete file or throws Error; an existing file is replaced only when complete.
  virtual void writeImage(const std::filesystem::path& path, const Image& image,
                          OutputFormat format, const JpegOptions& options) = 0;
};

// The program's own steps: the picture loader, ComposeFrame with the assets of appPath,
// FitWithin, ResizeImage and the writers. The design's textures are decoded into the texture
// cache while the first photo decodes.
class StandardFrameEngine final : public FrameEngine {
 public:
  explicit StandardFrameEngine(std::filesystem::path appPath);
  void prepare(const FrameSpec& spec) override;
  Image loadPhoto(const std::filesystem::path& path) override;
  void composeFrame(const FrameSpec& spec, Image& photo, bool queueEmpty, Image& framed) override;
  Size fitWithin(int width, int height, int maxWidth, int maxHeight) override;
  void resizeImage(const Image& source, Image& target, int width, int height) override;
  void writeImage(const std::filesystem::path& path, const Image& image, OutputFormat format,
                  const JpegOptions& options) override;

 private:
  std::filesystem::path appPath_;
};

}  // namespace lumabord
