// The platform's system colour table: colour values 0x80000000 + n name entry n.
#pragma once

#include "base/image.h"

namespace lumabord {

class SystemColors {
 public:
  virtual ~SystemColors() = default;
  // RGB of system colour n (0..30); unknown indexes give black.
  virtual Rgb systemColor(int index) const = 0;
};

// A fixed table of the classic desktop defaults; used headless and as the Qt fallback.
const SystemColors& defaultSystemColors();

}  // namespace lumabord
