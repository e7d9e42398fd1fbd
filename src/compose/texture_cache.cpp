// A small process-wide cache of decoded textures, keyed by path and checked against the bytes.
#include "compose/texture_cache.h"

#include <future>
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

// A texture being decoded: a second caller waits for it instead of decoding it again.
struct Pending {
  std::filesystem::path path;
  const std::vector<uint8_t>* bytes;  // the decoding caller's, alive while it is pending
  std::shared_future<std::shared_ptr<const Image>> image;
};

std::mutex cacheMutex;
std::list<Entry> cache;  // most recently used first
std::list<Pending> pending;

}  // namespace

std::shared_ptr<const Image> loadTexture(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  // An unknown extension is refused before the file is read, as loadPicture does.
  if (!extension.empty() && !isPictureExtension(extension)) {
    return std::make_shared<const Image>(loadPicture(path));
  }
  std::vector<uint8_t> bytes = readFile(path);
  std::promise<std::shared_ptr<const Image>> promise;
  std::list<Pending>::iterator mine;
  std::shared_future<std::shared_ptr<const Image>> inFlight;
  {
    const std::lock_guard lock(cacheMutex);
    for (auto it = cache.begin(); it != cache.end(); ++it) {
      if (it->path == path && it->bytes == bytes) {
        cache.splice(cache.begin(), cache, it);
        return it->image;
      }
    }
    for (const Pending& p : pending) {
      if (p.path == path && *p.bytes == bytes) inFlight = p.image;
    }
    if (!inFlight.valid())
      mine = pending.insert(pending.end(), {path, &bytes, promise.get_future().share()});
  }
  if (inFlight.valid()) return inFlight.get();  // rethrows the decoder's failure
  std::shared_ptr<const Image> image;
  try {
    image = std::make_shared<const Image>(decodePicture(bytes, extension, path.string()));
  } catch (...) {
    promise.set_exception(std::current_exception());
    const std::lock_guard lock(cacheMutex);
    pending.erase(mine);
    throw;
  }
  promise.set_value(image);
  const std::lock_guard lock(cacheMutex);
  pending.erase(mine);
  if (image->sizeBytes() <= kMaxImageBytes) {
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
