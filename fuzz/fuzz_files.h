// Shared body of the parser fuzz targets: the parsers read files by path, so the input is
// written to a file in a private folder first. Error is how a parser refuses data; anything
// else (a crash, a sanitizer report, another exception, a hang) is a finding.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace lumabord {

// A folder of this process's own, made once, reused by every input and removed when the
// run ends (a crash leaves it for the finding's inspection).
inline const std::filesystem::path& fuzzFolder() {
  struct Folder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("lumabord-fuzz-" + std::to_string(getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
  return folder.path;
}

// Writes the input to relative (under fuzzFolder()) and returns its path.
inline std::filesystem::path writeFuzzFile(const std::string& relative, const uint8_t* data,
                                           size_t size) {
  const std::filesystem::path path = fuzzFolder() / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace lumabord
