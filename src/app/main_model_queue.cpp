// The main window model: what the queue strip does to the queue, and undo and redo of the
// design. Like the queue commands, each waits for a rendering in progress to end first.
#include <algorithm>

#include "app/main_model.h"
#include "app/queue_order.h"

namespace lumabord {

void MainModel::ShowQueuedPhoto(size_t index) {
  if (Rendering) {
    RunWhenIdle([this, index] { ShowQueuedPhoto(index); });
    return;
  }
  if (index >= Queue.size()) return;
  if (LoadQueuedPhoto(index) && applies(PreviewEvent::QueueChange)) RefreshPreview();
}

void MainModel::SetAutoOrient(bool on) {
  if (Rendering) {
    RunWhenIdle([this, on] { SetAutoOrient(on); });
    return;
  }
  AutoOrient = on;
  if (LoadQueuedPhoto(WorkIndex) && applies(PreviewEvent::QueueChange)) RefreshPreview();
}

void MainModel::RemoveQueued(const std::vector<size_t>& indices) {
  if (Rendering) {
    RunWhenIdle([this, indices] { RemoveQueued(indices); });
    return;
  }
  const std::vector<size_t> removed = validIndices(indices, Queue.size());
  if (removed.empty()) return;
  const bool workGoes = std::binary_search(removed.begin(), removed.end(), WorkIndex);
  const auto before = static_cast<size_t>(
      std::lower_bound(removed.begin(), removed.end(), WorkIndex) - removed.begin());
  for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
    Queue.erase(Queue.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  if (workGoes || Queue.empty()) {
    if (LoadQueueHead() && applies(PreviewEvent::QueueChange)) RefreshPreview();
    return;
  }
  WorkIndex -= before;
  QueueTitle = "Total Files to Frame: " + std::to_string(Queue.size());
  view_.modelChanged();
}

void MainModel::ReorderQueue(const std::vector<size_t>& order) {
  if (Rendering) {
    RunWhenIdle([this, order] { ReorderQueue(order); });
    return;
  }
  if (!validPermutation(order, Queue.size())) return;
  std::vector<std::string> reordered;
  reordered.reserve(Queue.size());
  for (const size_t old : order) reordered.push_back(Queue[old]);
  Queue = std::move(reordered);
  WorkIndex = static_cast<size_t>(std::find(order.begin(), order.end(), WorkIndex) - order.begin());
  view_.modelChanged();
}

void MainModel::Undo() {
  if (Rendering) {
    RunWhenIdle([this] { Undo(); });
    return;
  }
  restoreHistory(History.undo());
}

void MainModel::Redo() {
  if (Rendering) {
    RunWhenIdle([this] { Redo(); });
    return;
  }
  restoreHistory(History.redo());
}

void MainModel::restoreHistory(const std::optional<DesignState>& state) {
  if (!state) return;
  restoreDesign(*state, controls, settings);
  MarginEdited = false;
  view_.modelChanged();
  RefreshPreview();
}

}  // namespace lumabord
