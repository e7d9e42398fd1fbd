// The names of the batch: output paths, the proposed destination and the replace question.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumabord {

// The file name without its folder and without its extension (the part from the last "."
// of the file name on; dots in folder names do not count).
[[nodiscard]] std::string baseName(const std::filesystem::path& path);

// path with its extension removed, then "." and key: x.jpeg -> x.jpg, x -> x.jpg.
[[nodiscard]] std::filesystem::path withFormatKey(const std::filesystem::path& path,
                                                  const std::string& key);

// The file written for photo in a batch of queueLength entries (placeholder included): the
// destination file with the key as its extension for one entry; otherwise the destination
// folder, the photo's base name, "." and the key.
[[nodiscard]] std::filesystem::path outputPath(const std::filesystem::path& destination,
                                               const std::filesystem::path& photo,
                                               size_t queueLength, const std::string& key);

// The save dialog's proposed name: "frame." + key for an empty queue, else the head photo's
// file name with the key as its extension.
[[nodiscard]] std::string proposedFileName(const std::vector<std::filesystem::path>& queue,
                                           const std::string& key);

// The folder browser's proposed folder: lastOutputFolder, else the last photo's folder.
[[nodiscard]] std::filesystem::path proposedFolder(const std::filesystem::path& lastOutputFolder,
                                                   const std::vector<std::filesystem::path>& queue);

// "JPEG Image (*.jpg)|*.jpg", "TIFF Image (*.tif)|*.tif", "BMP Image (*.bmp)|*.bmp",
// "PNG Image (*.png)|*.png" or "WebP Image (*.webp)|*.webp".
[[nodiscard]] std::string saveFilter(const std::string& key);

// The path, " already exists.", CR LF, "Do you want to replace it?".
[[nodiscard]] std::string replaceQuestion(const std::filesystem::path& path);

}  // namespace lumabord
