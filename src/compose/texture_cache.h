// Decoded texture pictures kept between renders. Every render still reads each texture file
// afresh; only when the file's bytes are exactly those decoded before is the decoding (the
// costly part: several milliseconds per texture) skipped, so a changed file is always seen.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "base/image.h"
#include "codecs/picture_loader.h"

namespace lumabord {

// Reads the picture at path through the reader table, reusing the decoded image when the
// file holds the same bytes as at an earlier call. Throws Error exactly as loadPicture does.
// Safe to call from several threads.
[[nodiscard]] std::shared_ptr<const Image> loadTexture(const std::filesystem::path& path);

// Decodes the pictures into the cache ahead of a render (a batch does it while its first photo
// decodes). A picture that fails is skipped: the render that asks for it reports the failure.
void prefetchTextures(const std::vector<std::filesystem::path>& paths);

}  // namespace lumabord
