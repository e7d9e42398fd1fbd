// Killing a batch at any moment leaves only complete files and never damages a source photo,
// also when the outputs replace the photos in their own folder.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "fakes.h"
#include "output/batch_output.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::TempDir;

constexpr int kPhotos = 12;

std::string photoName(int i) { return "p" + std::to_string(100 + i) + ".bmp"; }

// A batch of kPhotos large photos written as BMP over themselves, answering Yes to All.
void runBatch(const std::filesystem::path& folder) {
  testing::FakeEngine engine;
  std::vector<std::filesystem::path> queue;
  for (int i = 0; i < kPhotos; ++i) {
    queue.push_back(folder / photoName(i));
    engine.sizes[photoName(i)] = {1600, 1200};
  }
  Image workPhoto;
  JpegOptions jpeg;
  FrameSpec spec;
  spec.OutputWidth = 4000;
  spec.OutputHeight = 4000;
  BatchOutput batch({queue, workPhoto, jpeg, [&] { return spec; }}, engine);
  testing::FakeProgress progress;
  progress.answers.assign(1, ReplaceAnswer::YesToAll);
  batch.WriteFramedFiles(folder, OutputFormat::Bmp, progress);
}

TEST(BatchKill, EveryFileIsTheSourceOrTheCompleteOutputAfterKill9) {
  TempDir expected;
  runBatch([&] {
    for (int i = 0; i < kPhotos; ++i) expected.write(photoName(i), "x");
    return expected.path();
  }());

  TempDir dir;
  std::vector<std::string> sources;
  for (int i = 0; i < kPhotos; ++i) {
    sources.push_back("source photo " + std::to_string(i));
    dir.write(photoName(i), sources.back());
  }
  std::mt19937 random(20261208);
  int temporaries = 0;
  for (int round = 0; round < 10; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        runBatch(dir.path());
      } catch (...) {
        _exit(3);
      }
      _exit(0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution(5, 150)(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << "the batch failed on its own";

    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".")) {  // an unfinished temporary file, never under a real name
        ++temporaries;
        std::filesystem::remove(entry.path());
        continue;
      }
      const int index = std::stoi(name.substr(1, 3)) - 100;
      ASSERT_TRUE(index >= 0 && index < kPhotos) << name;
      const std::string bytes = testing::readText(entry.path());
      EXPECT_TRUE(bytes == sources[static_cast<size_t>(index)] ||
                  bytes == testing::readText(expected / name))
          << name << " is neither the source nor the complete output (" << bytes.size() << " bytes)";
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), kPhotos);
  }
  RecordProperty("temporaries", temporaries);
}

}  // namespace
}  // namespace lumabord
