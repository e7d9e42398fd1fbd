// Finds the installed font file closest to a face name and style through fontconfig.
#pragma once

#include <string>

namespace lumabord {

struct ResolvedFace {
  std::string file;
  int index = 0;
  bool embolden = false;  // the face is lighter than asked for: thicken outlines
  bool oblique = false;   // the face is upright but italic was asked for: slant outlines
};

// Throws Error when fontconfig finds no font at all.
[[nodiscard]] ResolvedFace resolveFace(const std::string& name, bool bold, bool italic);

}  // namespace lumabord
