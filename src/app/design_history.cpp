// Undo steps of the frame design.
#include "app/design_history.h"

#include <algorithm>
#include <utility>

namespace lumabord {
namespace {

void selectByText(const ChoiceList& saved, ChoiceList& list) {
  const std::string wanted = saved.text();
  const auto found = std::find(list.entries.begin(), list.entries.end(), wanted);
  if (!wanted.empty() && found != list.entries.end()) {
    list.selected = static_cast<int>(found - list.entries.begin());
  } else if (saved.selected < 0) {
    list.selected = -1;
  }
}

}  // namespace

void DesignHistory::record(DesignState state) {
  if (!states_.empty() && states_[current_] == state) return;
  if (!states_.empty())
    states_.erase(states_.begin() + static_cast<long>(current_) + 1, states_.end());
  states_.push_back(std::move(state));
  // One state more than steps, so that steps changes can all be undone.
  while (states_.size() > steps_ + 1) states_.pop_front();
  current_ = states_.size() - 1;
}

std::optional<DesignState> DesignHistory::undo() {
  if (!canUndo()) return std::nullopt;
  return states_[--current_];
}

std::optional<DesignState> DesignHistory::redo() {
  if (!canRedo()) return std::nullopt;
  return states_[++current_];
}

DesignState designState(const DesignControls& controls, const DesignSettings& settings) {
  DesignState state{controls, settings};
  // The output size follows the photos, not the design.
  state.controls.txtWidth = 0;
  state.controls.txtHeight = 0;
  return state;
}

void restoreDesign(const DesignState& state, DesignControls& controls, DesignSettings& settings) {
  DesignControls restored = state.controls;
  restored.txtWidth = controls.txtWidth;
  restored.txtHeight = controls.txtHeight;
  for (auto list : {&DesignControls::cboFrame, &DesignControls::cboFrameMask,
                    &DesignControls::cboShadow, &DesignControls::cboFrameTexture,
                    &DesignControls::cboOuterMatteTexture, &DesignControls::cboInnerTexture}) {
    restored.*list = controls.*list;
    selectByText(state.controls.*list, restored.*list);
  }
  controls = std::move(restored);
  settings = state.settings;
}

}  // namespace lumabord
