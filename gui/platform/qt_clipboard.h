// Places images on the system clipboard through Qt.
#pragma once

#include "platform/clipboard.h"

namespace lumabord {

class QtClipboard final : public Clipboard {
 public:
  void placeImage(const Image& image) override;
};

}  // namespace lumabord
