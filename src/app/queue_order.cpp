// Queue edits and dropped files.
#include "app/queue_order.h"

#include <algorithm>
#include <system_error>

#include "codecs/picture_loader.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;

std::string lowerExtension(const fs::path& path) {
  std::string extension = path.extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

bool isRegularPicture(const fs::path& path) {
  std::error_code ec;
  const std::string extension = lowerExtension(path);
  return !extension.empty() && isPictureExtension(extension) && fs::is_regular_file(path, ec);
}

std::vector<std::string> folderPictures(const fs::path& folder) {
  std::vector<std::string> pictures;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (isRegularPicture(it->path())) pictures.push_back(it->path().string());
  }
  std::sort(pictures.begin(), pictures.end());
  return pictures;
}

}  // namespace

std::optional<std::vector<size_t>> validPermutation(const std::vector<size_t>& order, size_t size) {
  if (order.size() != size) return std::nullopt;
  std::vector<bool> seen(size, false);
  for (const size_t index : order) {
    if (index >= size || seen[index]) return std::nullopt;
    seen[index] = true;
  }
  return order;
}

std::vector<size_t> validIndices(std::vector<size_t> indices, size_t size) {
  std::erase_if(indices, [size](size_t index) { return index >= size; });
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return indices;
}

DroppedFiles sortDroppedFiles(const std::vector<fs::path>& paths) {
  DroppedFiles dropped;
  for (const fs::path& path : paths) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
      const std::vector<std::string> pictures = folderPictures(path);
      dropped.photos.insert(dropped.photos.end(), pictures.begin(), pictures.end());
    } else if (lowerExtension(path) == "txt") {
      if (fs::is_regular_file(path, ec)) dropped.styles.push_back(path);
    } else if (isRegularPicture(path)) {
      dropped.photos.push_back(path.string());
    }
  }
  return dropped;
}

}  // namespace lumabord
