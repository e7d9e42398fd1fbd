// PixelBuffer and Image keep their pixels when a larger buffer cannot be had.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "base/error.h"
#include "base/image.h"
#include "base/pixel_buffer.h"

namespace lumabord {
namespace {

TEST(PixelBufferTest, FailedGrowthKeepsTheOldBufferWhole) {
  PixelBuffer buffer(64);
  std::memset(buffer.data(), 0x5A, 64);
  const uint8_t* before = buffer.data();
  // SIZE_MAX used to wrap around while rounding to huge pages and "succeed" with a few bytes.
  for (size_t bytes : {SIZE_MAX, SIZE_MAX - 100, size_t{1} << 62}) {
    EXPECT_THROW(buffer.reserveDiscarding(bytes), Error) << bytes;
    EXPECT_EQ(buffer.data(), before);
    EXPECT_EQ(buffer.capacity(), 64u);
  }
  for (int i = 0; i < 64; ++i) ASSERT_EQ(buffer.data()[i], 0x5A);
  buffer.reserveDiscarding(32);  // large enough already: the same buffer
  EXPECT_EQ(buffer.data(), before);
  buffer.reserveDiscarding(size_t{3} << 20);
  EXPECT_GE(buffer.capacity(), size_t{3} << 20);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(buffer.data()) % (size_t{2} << 20), 0u);
}

// Exit code of a child that grows an image under an address-space limit too small for it:
// 0 when the growth failed with Error and the image kept its size and pixels.
int growUnderMemoryLimit() {
  Image image(1000, 1000, Rgb{9, 8, 7});
  rlimit limit{};
  getrlimit(RLIMIT_AS, &limit);
  std::ifstream status("/proc/self/status");
  std::string line;
  long long sizeKiB = 0;
  while (std::getline(status, line)) {
    if (line.rfind("VmSize:", 0) == 0) sizeKiB = std::stoll(line.substr(7));
  }
  limit.rlim_cur = static_cast<rlim_t>(sizeKiB + 256 * 1024) * 1024;
  if (sizeKiB == 0 || setrlimit(RLIMIT_AS, &limit) != 0) return 2;
  try {
    image.reshape(16000, 16000);  // 768 MB
    return 3;
  } catch (const Error&) {
  }
  if (image.width() != 1000 || image.height() != 1000) return 4;
  return image == Image(1000, 1000, Rgb{9, 8, 7}) ? 0 : 5;
}

TEST(PixelBufferTest, ImageThatCannotGrowKeepsItsPixels) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(growUnderMemoryLimit());
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace lumabord
