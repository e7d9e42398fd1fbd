// The frame design as the window's controls hold it: the drop-down lists with their
// entries and selection, the colour choices, option buttons and width fields. Style files
// read into and write from this model; the Qt window binds its widgets to it; snapshot()
// gives the renderer its FrameSpec.
#pragma once

#include <string>
#include <vector>

#include "compose/frame_spec.h"

namespace lumabord {

// A drop-down list: its entries and the selected index (-1: nothing selected).
struct ChoiceList {
  std::vector<std::string> entries;
  int selected = -1;

  // The selected entry's text, or "" when nothing is selected.
  [[nodiscard]] std::string text() const {
    return selected >= 0 && selected < static_cast<int>(entries.size())
               ? entries[static_cast<size_t>(selected)]
               : std::string();
  }
  void clear() {
    entries.clear();
    selected = -1;
  }
  friend bool operator==(const ChoiceList&, const ChoiceList&) = default;
};

struct DesignControls {
  // Lists filled from the asset folders.
  ChoiceList cboFrame;              // style names
  ChoiceList cboFrameMask;          // profile names
  ChoiceList cboShadow;             // "<none>" then shadow names
  ChoiceList cboFrameTexture;       // texture names relative to "Image Textures/"
  ChoiceList cboOuterMatteTexture;  // same entries as cboFrameTexture
  ChoiceList cboInnerTexture;       // same entries as cboFrameTexture

  // Colour drop-downs (the window lists the standard colours and inserts others).
  ColorValue cboFrameColor = 0x2F4F6F;
  ColorValue cboOuterMatteColor = kClWhite;
  ColorValue cboInnerColor = kClWhite;

  // Option pairs: true means the second button (texture) is set.
  bool rdoFrame2 = true;
  bool rdoOuterMatte2 = true;
  bool rdoInnerMatte2 = true;

  // Width fields.
  int txtLeft = 50;
  int txtTop = 50;
  int txtRight = 50;
  int txtBottom = 50;
  int txtInnerWidth = 20;

  // Switches and the output box.
  bool chkShadowOuter = true;
  bool chkSignature = false;
  int txtWidth = 800;
  int txtHeight = 600;

  friend bool operator==(const DesignControls&, const DesignControls&) = default;
};

// Settings that live outside the controls but belong to the design snapshot.
struct DesignSettings {
  int ShadowSize = 9;
  ColorValue ShadowColor = 0x808080;
  ColorValue BackgroundColor = 0xFFFFFF;
  int SigDrawOn = 0;
  int SigAlign = 4;

  friend bool operator==(const DesignSettings&, const DesignSettings&) = default;
};

// The FrameSpec the renderer reads. DropShadow is "" when cboShadow selects entry 0.
[[nodiscard]] FrameSpec snapshot(const DesignControls& controls, const DesignSettings& settings);

}  // namespace lumabord
