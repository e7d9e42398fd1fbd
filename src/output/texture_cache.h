// Textures read once per batch. ComposeFrame asks its picture loader for the frame's and the
// mattes' textures for every photo; this loader keeps each decoded texture for the rest of
// the batch, and can read the design's textures ahead while the first photo is decoded.
#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

#include "base/image.h"
#include "codecs/picture_loader.h"
#include "compose/frame_spec.h"

namespace lumabord {

class TextureCache final : public PictureLoader {
 public:
  explicit TextureCache(const PictureLoader& source = defaultPictureLoader());

  // A copy of the picture, decoded by the source loader the first time. Failures are not
  // kept: the next call tries again and throws the source's error again. Thread-safe.
  Image load(const std::filesystem::path& path) const override;

  // Forgets every picture, so that a new batch sees the files as they are now.
  void clear();

  // Decodes the pictures not yet kept. A picture that fails is left to the renderer, which
  // reports it when it asks for it.
  void prefetch(const std::vector<std::filesystem::path>& paths);

 private:
  const PictureLoader& source_;
  mutable std::mutex mutex_;
  mutable std::map<std::filesystem::path, Image> pictures_;
};

// The texture files the renderer reads for spec (as it names them under appPath).
[[nodiscard]] std::vector<std::filesystem::path> designTextures(
    const FrameSpec& spec, const std::filesystem::path& appPath);

}  // namespace lumabord
