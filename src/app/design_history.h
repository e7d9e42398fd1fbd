// The undo and redo steps of the frame design: one recorded state per rendered change.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "compose/design_controls.h"

namespace lumabord {

// What an undo step brings back: the controls (the output size aside, which follows the
// photos) and the design settings (shadow, background, signature placement).
struct DesignState {
  DesignControls controls;
  DesignSettings settings;
  bool operator==(const DesignState&) const = default;
};

class DesignHistory {
 public:
  static constexpr size_t kDefaultSteps = 200;
  explicit DesignHistory(size_t steps = kDefaultSteps) : steps_(steps < 1 ? 1 : steps) {}

  // Records the design just rendered. A state equal to the current one is no step; a new
  // state drops the steps that could be redone, and the oldest beyond the step limit.
  void record(DesignState state);
  // The state before (after) the current one, which becomes current; nullopt at either end.
  [[nodiscard]] std::optional<DesignState> undo();
  [[nodiscard]] std::optional<DesignState> redo();
  [[nodiscard]] bool canUndo() const { return current_ > 0; }
  [[nodiscard]] bool canRedo() const { return current_ + 1 < states_.size(); }

 private:
  size_t steps_;
  std::deque<DesignState> states_;
  size_t current_ = 0;
};

// The state of the controls and settings as an undo step keeps it.
[[nodiscard]] DesignState designState(const DesignControls& controls,
                                      const DesignSettings& settings);
// Puts state back: the output size and the lists' entries stay as they are; each list
// selects the entry the state had selected, found by its text.
void restoreDesign(const DesignState& state, DesignControls& controls, DesignSettings& settings);

}  // namespace lumabord
