// The re-render table.
#include "app/preview_events.h"

#include <array>

namespace lumabord {
namespace {

constexpr std::array<PreviewRefreshRule, 11> kRules{{
    {PreviewEvent::DesignListChoice, RefreshCondition::WhenActivated,
     "a choice in a colour, texture, profile or drop-shadow list"},
    {PreviewEvent::StyleChange, RefreshCondition::WhenActivated, "a change of the style list"},
    {PreviewEvent::OptionButtonMouseUp, RefreshCondition::Always,
     "mouse released on an option button"},
    {PreviewEvent::MarginFieldExit, RefreshCondition::WhenActivatedAndMarginEdited,
     "leaving an edited outer matte width field"},
    {PreviewEvent::InnerWidthKeyUp, RefreshCondition::Always,
     "a key released in the inner matte width field"},
    {PreviewEvent::CheckBoxClick, RefreshCondition::WhenActivated,
     "the Shadow or Show Signature box clicked"},
    {PreviewEvent::ColorPickEnd, RefreshCondition::Always, "the end of screen colour picking"},
    {PreviewEvent::BackgroundColorSet, RefreshCondition::WhenDropShadowSelected,
     "a background colour chosen"},
    {PreviewEvent::ShadowColorSet, RefreshCondition::WhenActivated,
     "an outer matte shadow colour chosen"},
    {PreviewEvent::ShadowSizeAnswered, RefreshCondition::WhenAnswerDiffers,
     "the shadow size prompt answered"},
    {PreviewEvent::QueueChange, RefreshCondition::Always,
     "photos added, a recent photo opened or the queue cleared"},
}};

}  // namespace

std::span<const PreviewRefreshRule> previewRefreshRules() {
  return kRules;
}

bool refreshApplies(PreviewEvent event, const RefreshState& state) {
  switch (kRules[static_cast<size_t>(event)].condition) {
    case RefreshCondition::Always:
      return true;
    case RefreshCondition::WhenActivated:
      return state.activated;
    case RefreshCondition::WhenActivatedAndMarginEdited:
      return state.activated && state.marginEdited;
    case RefreshCondition::WhenDropShadowSelected:
      return state.dropShadowSelected;
    case RefreshCondition::WhenAnswerDiffers:
      return state.answerDiffers;
  }
  return false;
}

}  // namespace lumabord
