// The picture loader: every photo and texture enters the program through it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/checked_math.h"
#include "base/image.h"

namespace lumabord {

// What a decoder may allocate. Readers refuse larger pictures before allocating; fuzzing
// and previews pass smaller limits.
struct DecodeLimits {
  uint64_t maxPixels = Limits::kMaxPixels;
  // Fuzzing turns this off so that mutated data gets past the checksums (PNG's CRCs and
  // zlib's Adler-32) into the decoders behind them.
  bool verifyChecksums = true;
  // Called with each size a file declares, once it is known to be within maxPixels and
  // before anything of that size is allocated: a caller that would refuse the picture's
  // size anyway (a frame too large around it) throws here, before the decoding.
  std::function<void(int64_t width, int64_t height)> onDeclaredSize = nullptr;
};

// How photos (not textures and other assets) are loaded. Their colours are always turned into
// sRGB from an embedded profile.
struct PhotoOptions {
  bool autoOrient = true;  // turn the stored rows upright by the photo's orientation tag
};

struct PhotoTags;

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // Decodes the picture at path into a 24-bit Image. Throws Error with the user-facing
  // message ("Unknown picture file extension (.%s)", "Cannot open file %s", ...).
  virtual Image load(const std::filesystem::path& path) const = 0;
  // The same for a photo: upright (unless options say otherwise) and in sRGB. Loaders that
  // know nothing of photos load it as a picture.
  virtual Image loadPhoto(const std::filesystem::path& path,
                          const PhotoOptions& /*options*/) const {
    return load(path);
  }
};

// The loader of the reader table, keyed by lower-case extension, with content sniffing
// for files without an extension.
const PictureLoader& defaultPictureLoader();

// Shortcut for defaultPictureLoader().load(path).
[[nodiscard]] Image loadPicture(const std::filesystem::path& path);
// The same with explicit limits.
[[nodiscard]] Image loadPicture(const std::filesystem::path& path, const DecodeLimits& limits);

// Loads a photo: like loadPicture, then its embedded profile converted to sRGB and, with
// options.autoOrient, its stored rows turned upright. tags (when given) receives what the file
// carries beside the pixels; its orientation is the one left to apply (1 when applied).
[[nodiscard]] Image loadPhoto(const std::filesystem::path& path, const DecodeLimits& limits,
                              const PhotoOptions& options, PhotoTags* tags = nullptr);

// Decodes file bytes already in memory as if they came from a file with that extension
// (without the dot, any case; empty: recognised by content). `name` names the file in
// messages. Throws Error like load().
[[nodiscard]] Image decodePicture(std::span<const uint8_t> bytes, std::string_view extension,
                                  const std::string& name, const DecodeLimits& limits = {});

// True when the reader table serves the extension (without the dot, any case).
[[nodiscard]] bool isPictureExtension(std::string_view extension);

}  // namespace lumabord
