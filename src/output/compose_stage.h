// The first stage of the batch pipeline: a worker thread that loads and frames the photos in
// queue order, one photo ahead of the caller, which resamples and writes them.
#pragma once

#include <array>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "base/image.h"
#include "compose/frame_spec.h"
#include "output/frame_engine.h"

namespace lumabord {

class ComposeStage {
 public:
  // Starts framing photos[0], photos[1], ... with spec. Each photo is loaded into workPhoto,
  // which belongs to the stage until it is destroyed; with placeholder set nothing is loaded
  // and the single entry frames workPhoto as it is.
  ComposeStage(FrameEngine& engine, const FrameSpec& spec,
               std::vector<std::filesystem::path> photos, bool placeholder, Image& workPhoto);
  // Stops after the photo in hand and waits for the worker.
  ~ComposeStage();
  ComposeStage(const ComposeStage&) = delete;
  ComposeStage& operator=(const ComposeStage&) = delete;

  // Waits for the framed image of photo index (taken in order) and rethrows its failure.
  Image& take(size_t index);
  // Hands the framed image of photo index back, so the worker may frame photo index + 2.
  void release(size_t index);

 private:
  void run();

  FrameEngine& engine_;
  const FrameSpec spec_;
  const std::vector<std::filesystem::path> photos_;
  const bool placeholder_;
  Image& workPhoto_;

  // Two framed images, so that photo i + 1 is framed while photo i is resampled.
  std::array<Image, 2> framed_;
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t produced_ = 0;  // photos framed (or failed) so far
  size_t released_ = 0;  // photos whose framed image the caller gave back
  bool stop_ = false;
  std::exception_ptr failure_;  // the failure of photo produced_ - 1

  std::thread worker_;  // last: starts after every other member is ready
};

}  // namespace lumabord
