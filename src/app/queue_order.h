// Editing the photo queue from its strip (removing, reordering) and turning what a file
// manager drops on the window into queued photos and style files.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumabord {

// A permutation of 0 .. size - 1 (order[i]: the old index of the entry now at i), or
// nullopt when order is not one (wrong length, an index twice or out of range).
[[nodiscard]] std::optional<std::vector<size_t>> validPermutation(const std::vector<size_t>& order,
                                                                  size_t size);

// The indices in ascending order without duplicates or indices at or past size.
[[nodiscard]] std::vector<size_t> validIndices(std::vector<size_t> indices, size_t size);

// What a drop brings: pictures to queue and style files to offer.
struct DroppedFiles {
  std::vector<std::string> photos;  // files in the given order; a folder's pictures by name
  std::vector<std::filesystem::path> styles;  // ".txt" files
};

// Sorts the dropped paths: a file with a picture extension is a photo, one ending in ".txt"
// a style; a folder adds its readable pictures (not those of its sub-folders), sorted by
// file name. Anything else is left out.
[[nodiscard]] DroppedFiles sortDroppedFiles(const std::vector<std::filesystem::path>& paths);

}  // namespace lumabord
