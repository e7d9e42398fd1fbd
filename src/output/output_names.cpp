// Output names and texts of the batch.
#include "output/output_names.h"

namespace lumabord {
namespace {

std::string withoutExtension(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

}  // namespace

std::string baseName(const std::filesystem::path& path) {
  return withoutExtension(path.filename().string());
}

std::filesystem::path withFormatKey(const std::filesystem::path& path, const std::string& key) {
  return path.parent_path() / (baseName(path) + "." + key);
}

std::filesystem::path outputPath(const std::filesystem::path& destination,
                                 const std::filesystem::path& photo, size_t queueLength,
                                 const std::string& key) {
  if (queueLength <= 1) return withFormatKey(destination, key);
  return destination / (baseName(photo) + "." + key);
}

std::string proposedFileName(const std::vector<std::filesystem::path>& queue,
                             const std::string& key) {
  if (queue.empty()) return "frame." + key;
  return baseName(queue.front()) + "." + key;
}

std::filesystem::path proposedFolder(const std::filesystem::path& lastOutputFolder,
                                     const std::vector<std::filesystem::path>& queue) {
  if (!lastOutputFolder.empty() || queue.empty()) return lastOutputFolder;
  return queue.back().parent_path();
}

std::string saveFilter(const std::string& key) {
  if (key == "tif") return "TIFF Image (*.tif)|*.tif";
  if (key == "bmp") return "BMP Image (*.bmp)|*.bmp";
  if (key == "png") return "PNG Image (*.png)|*.png";
  if (key == "webp") return "WebP Image (*.webp)|*.webp";
  return "JPEG Image (*.jpg)|*.jpg";
}

std::string replaceQuestion(const std::filesystem::path& path) {
  return path.string() + " already exists.\r\nDo you want to replace it?";
}

}  // namespace lumabord
