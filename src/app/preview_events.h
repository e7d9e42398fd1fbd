// The events that re-render the preview and the condition each one needs, as one table that
// the model follows and the window and the tests can read.
#pragma once

#include <span>
#include <string_view>

namespace lumabord {

enum class PreviewEvent {
  DesignListChoice,     // a choice in a colour, texture, profile or drop-shadow list
  StyleChange,          // a change of cboFrame, after the style was read
  OptionButtonMouseUp,  // mouse released on one of the six option buttons
  MarginFieldExit,      // leaving txtLeft, txtTop, txtRight or txtBottom
  InnerWidthKeyUp,      // any key released in txtInnerWidth
  CheckBoxClick,        // chkShadowOuter or chkSignature
  ColorPickEnd,         // Esc or a click on the preview while picking
  BackgroundColorSet,   // "Background Color ..." confirmed
  ShadowColorSet,       // "Outer Matte Shadow Color" confirmed
  ShadowSizeAnswered,   // "Outer Matte Shadow Size" answered
  QueueChange,          // adding photos, opening a recent photo, clearing
};

enum class RefreshCondition {
  Always,
  WhenActivated,
  WhenActivatedAndMarginEdited,
  WhenDropShadowSelected,  // a cboShadow entry other than "<none>" is selected
  WhenAnswerDiffers,       // the answer text differs from the offered text
};

struct PreviewRefreshRule {
  PreviewEvent event;
  RefreshCondition condition;
  std::string_view description;
};

// One row per event, in the order of PreviewEvent.
[[nodiscard]] std::span<const PreviewRefreshRule> previewRefreshRules();

// What the conditions look at when an event happens.
struct RefreshState {
  bool activated = false;
  bool marginEdited = false;
  bool dropShadowSelected = false;
  bool answerDiffers = false;
};

[[nodiscard]] bool refreshApplies(PreviewEvent event, const RefreshState& state);

}  // namespace lumabord
