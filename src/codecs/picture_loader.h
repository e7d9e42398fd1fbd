// The picture loader: every photo and texture enters the program through it.
#pragma once

#include <filesystem>

#include "base/image.h"

namespace lumabord {

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // Decodes the picture at path into a 24-bit Image. Throws Error with the user-facing
  // message ("Unknown picture file extension (.%s)", "Cannot open file %s", ...).
  virtual Image load(const std::filesystem::path& path) const = 0;
};

// The loader of the reader table, keyed by lower-case extension, with content sniffing
// for files without an extension.
const PictureLoader& defaultPictureLoader();

// Shortcut for defaultPictureLoader().load(path).
[[nodiscard]] Image loadPicture(const std::filesystem::path& path);

}  // namespace lumabord
