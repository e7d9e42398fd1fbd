// AtomicFile: what the folder holds after a commit, an abandoned write and a kill -9.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "base/error.h"
#include "base/file_io.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::TempDir;

std::set<std::string> namesIn(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(AtomicFileTest, NewTargetGetsUsualPermissionsAndExactBytes) {
  TempDir dir;
  const mode_t mask = umask(027);
  writeFileAtomic(dir / "new.bin", std::string("a\0b\r\n", 5));
  umask(mask);
  EXPECT_EQ(testing::readText(dir / "new.bin"), std::string("a\0b\r\n", 5));
  struct stat info {};
  ASSERT_EQ(stat((dir / "new.bin").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"new.bin"});
}

TEST(AtomicFileTest, ReplacesAnExistingTargetAndKeepsOtherNamesOfTheOldFile) {
  TempDir dir;
  const auto target = dir.write("out.txt", "old");
  // A hard link to the old file must keep the old bytes: the target is replaced, not rewritten.
  ASSERT_EQ(link(target.c_str(), (dir / "old-link").c_str()), 0);
  writeFileAtomic(target, std::string("new"));
  writeFileAtomic(target, std::string("newer"));
  EXPECT_EQ(testing::readText(target), "newer");
  EXPECT_EQ(testing::readText(dir / "old-link"), "old");
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"old-link", "out.txt"}));
}

TEST(AtomicFileTest, NothingIsLeftAfterAnAbandonedWriteOrAKill) {
  TempDir dir;
  dir.write("keep.txt", "old");
  {
    AtomicFile file(dir / "keep.txt");
    file.write(std::string("abandoned"));
    AtomicFile other(dir / "fresh.txt");
    other.write(std::string("abandoned too"));
  }
  for (const char* name : {"keep.txt", "fresh.txt"}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      AtomicFile file(dir / name);
      file.write(std::string(100000, 'x'));
      std::fflush(file.stream());
      raise(SIGKILL);
      _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  }
  EXPECT_EQ(testing::readText(dir / "keep.txt"), "old");
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"keep.txt"});
}

TEST(AtomicFileTest, FailuresNameTheTarget) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  AtomicFile file(dir / "folder");
  file.write(std::string("x"));
  try {
    file.commit();
    FAIL() << "a folder was replaced by a file";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + (dir / "folder").string());
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"folder"});

  AtomicFile twice(dir / "twice.txt");
  twice.commit();
  EXPECT_THROW(twice.commit(), Error);
  EXPECT_EQ(testing::readText(dir / "twice.txt"), "");
}

}  // namespace
}  // namespace lumabord
