// A small process-wide cache of decoded textures, keyed by path and checked against the bytes.
#include "compose/texture_cache.h"

#include <list>
#include <mutex>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/file_io.h"

namespace lumabord {
namespace {

// Textures are tiles of a few hundred pixels; a few of them cover every design in use.
constexpr size_t kMaxEntries = 8;
constexpr size_t kMaxImageBytes = size_t{16} << 20;

struct Entry {
  std::filesystem::path path;
  std::vector<uint8_t> bytes;
  std::shared_ptr<const Image> image;
};

std::mutex cacheMutex;
std::list<Entry> cache;  // most recently used first

}  // namespace

std::shared_ptr<const Image> loadTexture(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  // An unknown extension is refused before the file is read, as loadPicture does.
  if (!extension.empty() && !isPictureExtension(extension)) {
    return std::make_shared<const Image>(loadPicture(path));
  }
  std::vector<uint8_t> bytes = readFile(path);
  {
    const std::lock_guard lock(cacheMutex);
    for (auto it = cache.begin(); it != cache.end(); ++it) {
      if (it->path == path && it->bytes == bytes) {
        cache.splice(cache.begin(), cache, it);
        return it->image;
      }
    }
  }
  auto image = std::make_shared<const Image>(decodePicture(bytes, extension, path.string()));
  if (image->sizeBytes() <= kMaxImageBytes) {
    const std::lock_guard lock(cacheMutex);
    cache.remove_if([&](const Entry& e) { return e.path == path; });
    cache.push_front({path, std::move(bytes), image});
    if (cache.size() > kMaxEntries) cache.pop_back();
  }
  return image;
}

void prefetchTextures(const std::vector<std::filesystem::path>& paths) {
  for (const std::filesystem::path& path : paths) {
    try {
      (void)loadTexture(path);
    } catch (const Error&) {
    }
  }
}

}  // namespace lumabord
