// The batch's texture cache.
#include "output/texture_cache.h"

#include <algorithm>
#include <string>

#include "base/error.h"

namespace lumabord {

TextureCache::TextureCache(const PictureLoader& source) : source_(source) {}

Image TextureCache::load(const std::filesystem::path& path) const {
  {
    std::lock_guard lock(mutex_);
    const auto found = pictures_.find(path);
    if (found != pictures_.end()) return found->second.clone();
  }
  // Decoded outside the lock, so the photo's worker and a prefetch never wait on each other;
  // when both decode the same file, the first copy is kept.
  Image picture = source_.load(path);
  std::lock_guard lock(mutex_);
  pictures_.try_emplace(path, picture.clone());
  return picture;
}

void TextureCache::clear() {
  std::lock_guard lock(mutex_);
  pictures_.clear();
}

void TextureCache::prefetch(const std::vector<std::filesystem::path>& paths) {
  for (const std::filesystem::path& path : paths) {
    try {
      (void)load(path);
    } catch (const Error&) {
      // The renderer asks again and reports the failure with its own context.
    }
  }
}

std::vector<std::filesystem::path> designTextures(const FrameSpec& spec,
                                                  const std::filesystem::path& appPath) {
  std::vector<std::filesystem::path> paths;
  auto add = [&](bool use, std::string name) {
    if (!use || name.empty()) return;
    // Style files store Windows separators.
    std::replace(name.begin(), name.end(), '\\', '/');
    std::filesystem::path path = appPath / "Image Textures" / name;
    if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
  };
  add(spec.InnerUseTexture, spec.InnerTexture);
  add(spec.OuterUseTexture, spec.OuterTexture);
  add(spec.FrameUseTexture, spec.FrameTexture);
  return paths;
}

}  // namespace lumabord
