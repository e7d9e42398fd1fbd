// readFile and AtomicFile over O_TMPFILE + linkat, with a named temporary as fallback.
#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/checked_math.h"
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

// The hidden sibling ".<name>.<suffix>" of a target.
std::string hiddenName(const std::filesystem::path& target, const char* suffix) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  return (folder / ("." + target.filename().string() + "." + suffix)).string();
}

// Without privileges an unnamed file can only be linked through its /proc/self/fd entry.
bool canLinkUnnamed() {
  static const bool available = access("/proc/self/fd", X_OK) == 0;
  return available;
}

// Gives the open file a name; false with errno set when that fails.
bool linkOpenFile(int fd, const std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

struct Descriptor {
  int fd;
  explicit Descriptor(int f) : fd(f) {}
  ~Descriptor() {
    if (fd >= 0) close(fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
};

}  // namespace

FileBytes readFileBytes(const std::filesystem::path& path) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer; the type check below refuses it.
  const Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.fd < 0) fail("Cannot open file %s", path.c_str());
  // Only regular files: a pipe or a device (a link to /dev/zero) may block or never end.
  struct stat st {};
  if (fstat(fd.fd, &st) != 0 || !S_ISREG(st.st_mode)) fail("Cannot open file %s", path.c_str());
  const uint64_t declared = static_cast<uint64_t>(st.st_size);
  if (declared > Limits::kMaxFileBytes) {
    fail("Cannot open file %s: its %llu bytes exceed the limit of %llu bytes", path.c_str(),
         static_cast<unsigned long long>(declared),
         static_cast<unsigned long long>(Limits::kMaxFileBytes));
  }
  // The size is only a hint: the file may grow or shrink while it is read; reading stops at
  // the limit all the same.
  FileBytes file;
  file.buffer_ = PixelBuffer(std::max<size_t>(static_cast<size_t>(declared) + 1, size_t{1} << 16));
  for (;;) {
    if (file.size_ == file.buffer_.capacity()) {
      if (file.size_ > Limits::kMaxFileBytes) {
        fail("Cannot open file %s: it grew beyond the limit of %llu bytes while read", path.c_str(),
             static_cast<unsigned long long>(Limits::kMaxFileBytes));
      }
      PixelBuffer larger(2 * file.buffer_.capacity());
      std::memcpy(larger.data(), file.buffer_.data(), file.size_);
      file.buffer_ = std::move(larger);
    }
    const ssize_t got =
        read(fd.fd, file.buffer_.data() + file.size_, file.buffer_.capacity() - file.size_);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) fail("Cannot open file %s", path.c_str());
    if (got == 0) break;
    file.size_ += static_cast<size_t>(got);
  }
  return file;
}

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
  const FileBytes file = readFileBytes(path);
  return {file.span().begin(), file.span().end()};
}

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
  const std::filesystem::path folder = target_.has_parent_path() ? target_.parent_path() : ".";
  int fd = -1;
  if (canLinkUnnamed()) fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    // Some file systems refuse unnamed files; a named hidden temporary does the job there,
    // at the price of a leftover when the process is killed before commit or destruction.
    std::string pattern = hiddenName(target_, "XXXXXX");
    fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) fail("Cannot create file %s", target_.c_str());
    // mkstemp creates 0600; outputs should get the usual permissions of a new file.
    fchmod(fd, 0666 & ~processUmask());
    temporary_ = pattern;
  }
  file_ = fdopen(fd, "wb");
  if (!file_) {
    close(fd);
    std::error_code ec;
    if (!temporary_.empty()) std::filesystem::remove(temporary_, ec);
    fail("Cannot create file %s", target_.c_str());
  }
}

AtomicFile::~AtomicFile() {
  if (file_) std::fclose(file_);  // an unnamed file vanishes with its last descriptor
  if (!committed_ && !temporary_.empty()) {
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
  }
}

void AtomicFile::write(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  if (!file_ || std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    fail("Cannot write file %s: %s", target_.c_str(), std::strerror(errno));
  }
}

void AtomicFile::write(const std::string& text) {
  write(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void AtomicFile::commit() {
  if (!file_) fail("Cannot write file %s: it is already closed", target_.c_str());
  if (temporary_.empty()) {
    commitUnnamed();
  } else {
    commitNamed();
  }
  committed_ = true;
}

void AtomicFile::commitNamed() {
  int error = 0;
  if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) error = errno;
  if (std::fclose(file_) != 0 && error == 0) error = errno;
  file_ = nullptr;
  if (error != 0) fail("Cannot write file %s: %s", target_.c_str(), std::strerror(error));
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    fail("Cannot create file %s", target_.c_str());
  }
}

void AtomicFile::commitUnnamed() {
  int error = 0;
  if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) error = errno;
  // A second descriptor keeps the unnamed file alive after the stream is closed, so that a
  // failing close is seen before the file gets a name.
  const Descriptor kept(error == 0 ? dup(fileno(file_)) : -1);
  if (error == 0 && kept.fd < 0) error = errno;
  if (std::fclose(file_) != 0 && error == 0) error = errno;
  file_ = nullptr;
  if (error != 0) fail("Cannot write file %s: %s", target_.c_str(), std::strerror(error));

  if (linkOpenFile(kept.fd, target_.string())) return;
  if (errno != EEXIST) fail("Cannot create file %s", target_.c_str());
  // linkat never replaces a file: link under a unique hidden name, then rename over the
  // target. Only a kill between these two calls can leave that name behind.
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%x.%x", static_cast<unsigned>(getpid()),
                  counter.fetch_add(1));
    const std::string name = hiddenName(target_, suffix);
    if (linkOpenFile(kept.fd, name)) {
      if (std::rename(name.c_str(), target_.c_str()) != 0) {
        unlink(name.c_str());
        fail("Cannot create file %s", target_.c_str());
      }
      return;
    }
    if (errno != EEXIST) break;
  }
  fail("Cannot create file %s", target_.c_str());
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
