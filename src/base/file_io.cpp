// readFile and AtomicFile.
#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/error.h"

namespace lumabord {
namespace {

// umask can only be read by setting it; do that once, before any worker threads write.
mode_t processUmask() {
  static const mode_t mask = [] {
    const mode_t m = umask(022);
    umask(m);
    return m;
  }();
  return mask;
}

}  // namespace

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) fail("Cannot open file %s", path.c_str());
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) fail("Cannot open file %s", path.c_str());
  std::vector<uint8_t> bytes;
  uint8_t chunk[1 << 16];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  const bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) fail("Cannot open file %s", path.c_str());
  return bytes;
}

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
  const std::filesystem::path folder = target_.has_parent_path() ? target_.parent_path() : ".";
  std::string pattern = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) fail("Cannot create file %s", target_.c_str());
  // mkstemp creates 0600; outputs should get the usual permissions of a new file.
  fchmod(fd, 0666 & ~processUmask());
  temporary_ = pattern;
  file_ = fdopen(fd, "wb");
  if (!file_) {
    close(fd);
    std::filesystem::remove(temporary_);
    fail("Cannot create file %s", target_.c_str());
  }
}

AtomicFile::~AtomicFile() {
  if (file_) std::fclose(file_);
  if (!committed_) {
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
  }
}

void AtomicFile::write(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    fail("Cannot write file %s: %s", target_.c_str(), std::strerror(errno));
  }
}

void AtomicFile::write(const std::string& text) {
  write(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void AtomicFile::commit() {
  const bool flushed = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) fail("Cannot write file %s: %s", target_.c_str(), std::strerror(errno));
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    fail("Cannot create file %s", target_.c_str());
  }
  committed_ = true;
}

void writeFileAtomic(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  AtomicFile file(path);
  file.write(bytes);
  file.commit();
}

void writeFileAtomic(const std::filesystem::path& path, const std::string& text) {
  AtomicFile file(path);
  file.write(text);
  file.commit();
}

}  // namespace lumabord
