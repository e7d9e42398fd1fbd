// lumabord-cli text as a user runs it: the same picture cold and from the disk cache of an
// earlier run, one 2188-byte header per row, and clear refusals of bad options.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/file_io.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;

const fs::path kCli = fs::path(LUMABORD_BINARY_DIR) / "lumabord-cli";

struct CliRun {
  int status = -1;
  std::string output;
};

CliRun run(const std::string& arguments) {
  CliRun result;
  FILE* pipe = popen(("'" + kCli.string() + "' text " + arguments + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) result.output += buffer;
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

class CliText : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kCli)) GTEST_SKIP() << "lumabord-cli is not built";
  }
  testing::TempDir dir;
};

TEST_F(CliText, DiskCacheGivesTheSamePictureAsRendering) {
  const std::string text = " --text '\xC2\xA9 2003 Your Name' --background '$00C0D8E0'";
  const std::string cache = " --cache '" + (dir / "FontCache3D").string() + "'";
  ASSERT_EQ(run("'" + (dir / "cold.bmp").string() + "'" + text).status, 0);
  ASSERT_EQ(run("'" + (dir / "first.bmp").string() + "'" + text + cache).status, 0);
  int pairs = 0;
  for (const auto& entry : fs::directory_iterator(dir / "FontCache3D")) {
    if (entry.path().extension() == ".Hdr") {
      ++pairs;
      EXPECT_EQ(entry.file_size(), 2188u);
    }
  }
  EXPECT_EQ(pairs, 1);
  ASSERT_EQ(run("'" + (dir / "again.bmp").string() + "'" + text + cache).status, 0);
  const auto cold = readFile(dir / "cold.bmp");
  EXPECT_GT(cold.size(), 54u + 3 * 200 * 40);
  EXPECT_EQ(readFile(dir / "first.bmp"), cold);
  EXPECT_EQ(readFile(dir / "again.bmp"), cold);
}

TEST_F(CliText, BadOptionsAreRefusedWithAMessage) {
  const std::string out = "'" + (dir / "x.bmp").string() + "'";
  CliRun r = run(out + " --text A --site up");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("--site must be flying, raised or lowered, not 'up'"), std::string::npos)
      << r.output;
  r = run(out + " --text A --shadow soft");
  EXPECT_NE(r.output.find("--shadow must be sharp, diffuse or none, not 'soft'"),
            std::string::npos);
  r = run(out + " --text A --gradient clWhite");
  EXPECT_NE(r.output.find("--gradient must be BEGIN,END or BEGIN,END,horizontal"),
            std::string::npos);
  r = run("'" + (dir / "x.gif").string() + "' --text A");
  EXPECT_NE(r.output.find("the output file must end in .bmp, .tif, .jpg, .png or .webp"),
            std::string::npos);
  r = run(out + " --text A --altitude 100000000");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("beyond the limit"), std::string::npos) << r.output;
  EXPECT_FALSE(fs::exists(dir / "x.bmp"));
}

}  // namespace
}  // namespace lumabord
