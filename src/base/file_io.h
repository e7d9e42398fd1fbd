// Whole-file reading and crash-safe writing. Every file the program writes goes through
// AtomicFile: an unnamed temporary file in the target's folder (O_TMPFILE), given the
// target's name only when complete, so a crash or a full disk never leaves a truncated file,
// destroys the old one or leaves a stray temporary behind.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "base/pixel_buffer.h"

namespace lumabord {

// A whole file in memory. Large files land in huge-page memory, which the kernel hands out
// far quicker than 4 KiB pages: reading a camera's 8 MB JPEG is then one copy instead of
// two thousand page faults.
class FileBytes {
 public:
  [[nodiscard]] std::span<const uint8_t> span() const { return {buffer_.data(), size_}; }
  [[nodiscard]] size_t size() const { return size_; }

 private:
  friend FileBytes readFileBytes(const std::filesystem::path& path);
  PixelBuffer buffer_;
  size_t size_ = 0;
};

// Reads a whole regular file. Throws Error("Cannot open file %s") when it cannot be opened
// or read, is not a regular file (a pipe, a device, a folder) or is over
// Limits::kMaxFileBytes.
[[nodiscard]] FileBytes readFileBytes(const std::filesystem::path& path);
// The same as a vector, for small files.
[[nodiscard]] std::vector<uint8_t> readFile(const std::filesystem::path& path);

class AtomicFile {
 public:
  // Creates the temporary file. Throws Error("Cannot create file %s") naming the target.
  explicit AtomicFile(std::filesystem::path target);
  ~AtomicFile();  // removes the temporary file unless commit() succeeded
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // The open stream of the temporary file, for libraries that write to a FILE*.
  std::FILE* stream() { return file_; }
  void write(std::span<const uint8_t> bytes);
  void write(const std::string& text);

  // Flushes, syncs and puts the file in place of the target: linked straight to the target
  // name when there is none yet, otherwise linked to a unique hidden name and renamed over
  // the target, so the old content is replaced atomically. Throws Error naming the target on
  // failure (the target is then untouched).
  void commit();

 private:
  void commitNamed();
  void commitUnnamed();

  std::filesystem::path target_;
  // The named temporary ".<name>.XXXXXX", used only where the file system refuses unnamed
  // files; empty for an unnamed one.
  std::filesystem::path temporary_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

// Writes bytes to path through AtomicFile.
void writeFileAtomic(const std::filesystem::path& path, std::span<const uint8_t> bytes);
void writeFileAtomic(const std::filesystem::path& path, const std::string& text);

}  // namespace lumabord
