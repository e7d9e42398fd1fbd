// FrameSpec: a snapshot of the frame design, the values the window's controls hold.
#pragma once

#include <string>

#include "compose/color.h"

namespace lumabord {

struct FrameSpec {
  // Frame.
  ColorValue FrameColor = 0x2F4F6F;  // a warm dark brown until a style sets it
  std::string FrameTexture;          // relative to "Image Textures/", with extension
  bool FrameUseTexture = true;
  std::string FrameProfile;          // mask file name without ".bmp"
  std::string DropShadow;            // shadow name; empty means "<none>"

  // Outer matte.
  ColorValue OuterColor = kClWhite;
  std::string OuterTexture;
  bool OuterUseTexture = true;
  int OuterLeft = 50;
  int OuterTop = 50;
  int OuterRight = 50;
  int OuterBottom = 50;

  // Inner matte.
  ColorValue InnerColor = kClWhite;
  int InnerWidth = 20;
  std::string InnerTexture;
  bool InnerUseTexture = true;

  // Switches kept outside style files.
  bool EdgeShadowOn = true;
  int ShadowSize = 9;
  ColorValue ShadowColor = 0x808080;
  ColorValue BackgroundColor = 0xFFFFFF;
  bool SignatureOn = false;
  int SigDrawOn = 0;  // 0: on the outer matte, 1: on the photo
  int SigAlign = 4;

  // Output box (used by output and printing, not by the renderer).
  int OutputWidth = 800;
  int OutputHeight = 600;
};

}  // namespace lumabord
