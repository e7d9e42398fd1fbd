// readFileBytes: exact bytes whatever the size says (files larger than a huge page, files
// that report no size, pipes that deliver more than the first buffer holds) and the message.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <thread>

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

TEST(ReadFileBytes, APipeDeliveringMoreThanTheFirstBufferIsReadWhole) {
  TempDir dir;
  const std::filesystem::path fifo = dir / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string bytes = pattern(700000);
  std::thread writer([&] {
    // Opening a pipe for writing waits for its reader.
    std::FILE* f = std::fopen(fifo.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  });
  const std::string read = asText(readFileBytes(fifo));
  writer.join();
  EXPECT_EQ(read, bytes);
}

TEST(ReadFileBytes, FailuresNameTheFile) {
  TempDir dir;
  for (const std::filesystem::path& path : {dir / "missing.jpg", dir.path()}) {
    try {
      (void)readFileBytes(path);
      ADD_FAILURE() << path << " was read";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file " + path.string());
    }
  }
}

}  // namespace
}  // namespace lumabord
