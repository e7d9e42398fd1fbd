// The load-and-frame worker of the batch pipeline.
#include "output/compose_stage.h"

#include "base/error.h"

namespace lumabord {

ComposeStage::ComposeStage(FrameEngine& engine, const FrameSpec& spec,
                           std::vector<std::filesystem::path> photos, bool placeholder,
                           Image& workPhoto)
    : engine_(engine),
      spec_(spec),
      photos_(std::move(photos)),
      placeholder_(placeholder),
      workPhoto_(workPhoto),
      worker_([this] { run(); }) {}

ComposeStage::~ComposeStage() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

Image& ComposeStage::take(size_t index) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return produced_ > index; });
  if (failure_ && produced_ == index + 1) std::rethrow_exception(failure_);
  return framed_[index % 2];
}

void ComposeStage::release(size_t index) {
  {
    std::lock_guard lock(mutex_);
    released_ = index + 1;
  }
  changed_.notify_all();
}

void ComposeStage::run() {
  for (size_t i = 0; i < photos_.size(); ++i) {
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stop_ || i < released_ + 2; });
      if (stop_) return;
    }
    std::exception_ptr failure;
    try {
      if (!placeholder_) {
        Image decoded = engine_.loadPhoto(photos_[i]);
        // An empty picture must not leave the previous photo to be framed under this name.
        if (decoded.empty()) fail("The picture %s holds no pixels", photos_[i].c_str());
        workPhoto_ = std::move(decoded);
      }
      engine_.composeFrame(spec_, workPhoto_, placeholder_, framed_[i % 2]);
    } catch (...) {
      failure = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      failure_ = failure;
      produced_ = i + 1;
    }
    changed_.notify_all();
    if (failure) return;
  }
}

}  // namespace lumabord
