// The cross-sections of the default frame profiles.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lumabord::assets {

struct ProfileShape {
  std::string name;
  int band;                              // visible band in pixels (WIDTH and HEIGHT of the INI)
  std::function<float(float t)> height;  // in band widths; t = 0 outside, 1 at the sight edge
  float occlusion;                       // how deeply hollows darken
  float gloss;                           // glint where a face turns squarely to the light
};

std::vector<ProfileShape> profileShapes();

}  // namespace lumabord::assets
