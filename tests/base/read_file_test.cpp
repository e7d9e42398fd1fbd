// readFileBytes: exact bytes whatever the size says (files larger than a huge page, files
// that report no size), and the refusals with their messages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "base/error.h"
#include "base/file_io.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::TempDir;

std::string pattern(size_t size) {
  std::string text(size, '\0');
  for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 131) ^ (i >> 9));
  return text;
}

std::string asText(const FileBytes& file) {
  return {reinterpret_cast<const char*>(file.span().data()), file.size()};
}

TEST(ReadFileBytes, GivesExactlyTheFilesBytes) {
  TempDir dir;
  for (const size_t size : {size_t{0}, size_t{1}, size_t{65536}, size_t{3} << 20}) {
    const std::string bytes = pattern(size);
    EXPECT_EQ(asText(readFileBytes(dir.write("f" + std::to_string(size), bytes))), bytes);
  }
  // Files of the kernel report a size of 0 and still have content.
  EXPECT_NE(asText(readFileBytes("/proc/self/status")).find("VmRSS"), std::string::npos);
}

TEST(ReadFileBytes, RefusesWhatIsNotAPlainFileOfBoundedSize) {
  TempDir dir;
  const std::filesystem::path fifo = dir / "photo.jpg";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);  // no writer: opening it must not wait
  const std::filesystem::path zero = dir / "zero.bmp";
  std::filesystem::create_symlink("/dev/zero", zero);
  const std::filesystem::path huge = dir / "sparse.bmp";  // a hole costs no disk space
  std::filesystem::resize_file(dir.write("sparse.bmp", "BM"), uint64_t{3} << 30);
  const struct {
    std::filesystem::path path;
    std::string message;
  } cases[] = {
      {dir / "missing.jpg", "Cannot open file " + (dir / "missing.jpg").string()},
      {dir.path(), "Cannot open file " + dir.path().string()},
      {fifo, "Cannot open file " + fifo.string()},
      {zero, "Cannot open file " + zero.string()},
      {huge, "Cannot open file " + huge.string() +
                 ": its 3221225472 bytes exceed the limit of 1074790400 bytes"},
  };
  for (const auto& c : cases) {
    try {
      (void)readFileBytes(c.path);
      ADD_FAILURE() << c.path << " was read";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

}  // namespace
}  // namespace lumabord
