// Test doubles of the batch's engine and user interface that record what the batch did.
#pragma once

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "output/batch_ui.h"
#include "output/frame_engine.h"

namespace lumabord::testing {

// Photos are 40 x 30 unless sizes says otherwise, of one colour; a file name holding "bad"
// fails to load; the frame adds 10 pixels of colour 1, 2, 3 on every side; the resampler
// fills the target with the framed picture's centre pixel; files are BMP through the real
// writer, whatever the format, so that their bytes can be checked.
class FakeEngine : public FrameEngine {
 public:
  void prepare(const FrameSpec&) override { ++prepared; }
  std::unique_ptr<PhotoReader> openPhoto(const std::filesystem::path& path) override;
  std::unique_ptr<FramePainter> layoutFrame(const FrameSpec& spec,
                                            const std::filesystem::path& photo, int photoWidth,
                                            int photoHeight, bool queueEmpty) override;
  Size fitWithin(int width, int height, int maxWidth, int maxHeight) override;
  void resizeImage(RowSource& framed, Image& target, int width, int height) override;
  void writeImage(const std::filesystem::path& path, const Image& image, OutputFormat format,
                  const JpegOptions& options, const PhotoTags* photo) override;

  std::map<std::string, Size> sizes;  // by file name
  int prepared = 0;                   // batches started
  std::mutex mutex;
  std::vector<std::string> loads;          // file names
  std::vector<bool> composedEmptyQueue;    // queueEmpty per compose
  std::vector<Size> composedPhotoSizes;    // photo size per compose
  std::vector<std::vector<int>> fitCalls;  // {w, h, maxW, maxH}
  std::vector<std::filesystem::path> written;
  std::vector<JpegOptions> writtenOptions;
};

class FakeProgress : public BatchProgress {
 public:
  void begin(int count) override { log.push_back("begin " + std::to_string(count)); }
  void step(int n, int q, const std::filesystem::path& photo) override;
  ReplaceAnswer askReplace(const std::filesystem::path& path, const std::string& text) override;
  void processMessages() override { ++pumps; }
  bool cancelRequested() override { return cancelAfterStep > 0 && steps >= cancelAfterStep; }
  void end() override { log.push_back("end"); }

  std::vector<std::string> log;
  std::vector<std::string> questions;
  std::deque<ReplaceAnswer> answers;  // Yes when empty
  int steps = 0;
  int cancelAfterStep = 0;
  int pumps = 0;
};

class FakePrompts : public DestinationPrompts {
 public:
  bool editJpegOptions(JpegOptions& options) override;
  std::optional<std::filesystem::path> askSaveFile(const SaveFileRequest& request) override;
  std::optional<std::filesystem::path> askFolder(const std::filesystem::path& proposed) override;

  std::vector<std::string> log;
  std::optional<JpegOptions> jpegAnswer;  // nullopt: Cancel
  std::optional<std::filesystem::path> fileAnswer;
  std::optional<std::filesystem::path> folderAnswer;
  SaveFileRequest lastRequest;
  std::filesystem::path lastProposedFolder;
};

// Definitions.

// The photo with 10 pixels of colour 1, 2, 3 around it (everywhere for an empty queue).
class FakePainter final : public FramePainter {
 public:
  FakePainter(int photoWidth, int photoHeight, bool queueEmpty)
      : photo_{10, 10, photoWidth, photoHeight}, drawPhoto_(!queueEmpty) {}
  int width() const override { return photo_.w + 20; }
  int height() const override { return photo_.h + 20; }
  Rect photo() const override { return photo_; }
  void paintRows(int y, int count, uint8_t* out, size_t stride,
                 const PhotoRows& photo) const override {
    for (int r = 0; r < count; ++r) {
      uint8_t* line = out + stride * static_cast<size_t>(r);
      for (int x = 0; x < width(); ++x) {
        uint8_t* p = line + 3 * static_cast<size_t>(x);
        const int py = y + r - photo_.y, px = x - photo_.x;
        if (drawPhoto_ && py >= 0 && py < photo_.h && px >= 0 && px < photo_.w) {
          if (photo.data) std::copy_n(photo.row(py) + 3 * static_cast<size_t>(px), 3, p);
        } else {
          p[0] = 3, p[1] = 2, p[2] = 1;
        }
      }
    }
  }

 private:
  Rect photo_;
  bool drawPhoto_;
};

inline std::unique_ptr<PhotoReader> FakeEngine::openPhoto(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  {
    std::lock_guard lock(mutex);
    loads.push_back(name);
  }
  if (name.find("bad") != std::string::npos) fail("Unknown picture file extension (.xyz)");
  const auto it = sizes.find(name);
  const Size size = it == sizes.end() ? Size{40, 30} : it->second;
  return std::make_unique<DecodedPhotoReader>(
      Image(size.width, size.height, Rgb{static_cast<uint8_t>(name.size()), 0x80, 0x40}));
}

inline std::unique_ptr<FramePainter> FakeEngine::layoutFrame(const FrameSpec&,
                                                             const std::filesystem::path&,
                                                             int photoWidth, int photoHeight,
                                                             bool queueEmpty) {
  {
    std::lock_guard lock(mutex);
    composedEmptyQueue.push_back(queueEmpty);
    composedPhotoSizes.push_back({photoWidth, photoHeight});
  }
  return std::make_unique<FakePainter>(photoWidth, photoHeight, queueEmpty);
}

inline Size FakeEngine::fitWithin(int width, int height, int maxWidth, int maxHeight) {
  fitCalls.push_back({width, height, maxWidth, maxHeight});
  return {std::min(width, maxWidth), std::min(height, maxHeight)};
}

inline void FakeEngine::resizeImage(RowSource& framed, Image& target, int width, int height) {
  framed.reserveRows(framed.height());
  const uint8_t* centre =
      framed.row(framed.height() / 2) + 3 * static_cast<size_t>(framed.width() / 2);
  target.reshape(width, height);
  target.fill({centre[2], centre[1], centre[0]});
}

inline void FakeEngine::writeImage(const std::filesystem::path& path, const Image& image,
                                   OutputFormat, const JpegOptions& options, const PhotoTags*) {
  written.push_back(path);
  writtenOptions.push_back(options);
  WriteBmpFile(path, image);
}

inline void FakeProgress::step(int n, int q, const std::filesystem::path& photo) {
  ++steps;
  log.push_back(std::to_string(n) + "/" + std::to_string(q) + " " + photo.filename().string());
}

inline ReplaceAnswer FakeProgress::askReplace(const std::filesystem::path& path,
                                              const std::string& text) {
  log.push_back("ask " + path.filename().string());
  questions.push_back(text);
  if (answers.empty()) return ReplaceAnswer::Yes;
  const ReplaceAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

inline bool FakePrompts::editJpegOptions(JpegOptions& options) {
  log.push_back("jpeg options");
  if (!jpegAnswer) return false;
  options = *jpegAnswer;
  return true;
}

inline std::optional<std::filesystem::path> FakePrompts::askSaveFile(
    const SaveFileRequest& request) {
  log.push_back("save " + request.proposedName);
  lastRequest = request;
  return fileAnswer;
}

inline std::optional<std::filesystem::path> FakePrompts::askFolder(
    const std::filesystem::path& proposed) {
  log.push_back("folder " + proposed.string());
  lastProposedFolder = proposed;
  return folderAnswer;
}

}  // namespace lumabord::testing
