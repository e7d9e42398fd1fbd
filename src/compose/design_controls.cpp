// The FrameSpec snapshot of the design controls.
#include "compose/design_controls.h"

namespace lumabord {

FrameSpec snapshot(const DesignControls& c, const DesignSettings& s) {
  FrameSpec spec;
  spec.FrameColor = c.cboFrameColor;
  spec.FrameTexture = c.cboFrameTexture.text();
  spec.FrameUseTexture = c.rdoFrame2;
  spec.FrameProfile = c.cboFrameMask.text();
  spec.DropShadow = c.cboShadow.selected > 0 ? c.cboShadow.text() : std::string();
  spec.OuterColor = c.cboOuterMatteColor;
  spec.OuterTexture = c.cboOuterMatteTexture.text();
  spec.OuterUseTexture = c.rdoOuterMatte2;
  spec.OuterLeft = c.txtLeft;
  spec.OuterTop = c.txtTop;
  spec.OuterRight = c.txtRight;
  spec.OuterBottom = c.txtBottom;
  spec.InnerColor = c.cboInnerColor;
  spec.InnerWidth = c.txtInnerWidth;
  spec.InnerTexture = c.cboInnerTexture.text();
  spec.InnerUseTexture = c.rdoInnerMatte2;
  spec.EdgeShadowOn = c.chkShadowOuter;
  spec.ShadowSize = s.ShadowSize;
  spec.ShadowColor = s.ShadowColor;
  spec.BackgroundColor = s.BackgroundColor;
  spec.SignatureOn = c.chkSignature;
  spec.SigDrawOn = s.SigDrawOn;
  spec.SigAlign = s.SigAlign;
  spec.OutputWidth = c.txtWidth;
  spec.OutputHeight = c.txtHeight;
  return spec;
}

}  // namespace lumabord
