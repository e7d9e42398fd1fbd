// ComposeFrame: the photo inside its inner matte, outer matte, profiled frame and drop
// shadow, at the photo's full resolution.
#pragma once

#include <filesystem>
#include <string>

#include "base/image.h"
#include "codecs/picture_loader.h"
#include "compose/frame_spec.h"
#include "compose/level_overlay.h"
#include "platform/system_colors.h"

namespace lumabord {

// Receives the name of each rendering step ("Drawing Inner Matte", ... and " " at the end).
// The window's implementation shows it in the status bar and lets pending events run.
class RenderSteps {
 public:
  virtual ~RenderSteps() = default;
  virtual void ShowRenderStep(const std::string& text) = 0;
};

struct RenderContext {
  std::filesystem::path appPath;  // folder holding "Image Textures", "Image Masks", ...
  // nullptr or defaultPictureLoader(): the reader table, with decoded textures reused while
  // their files keep the same bytes; any other loader is asked for every texture.
  const PictureLoader* loader = nullptr;
  const SystemColors* systemColors = nullptr;  // nullptr: defaultSystemColors()
  SignatureDrawer* signature = nullptr;        // nullptr: no signature is drawn
  RenderSteps* steps = nullptr;                // nullptr: steps are not reported
};

class FramedPicture;

// Lays out the framed image of workPhoto, to be painted whole or reduced (framed_picture.h).
// A zero width of workPhoto becomes 800, a zero height 600. On failure throws Error naming
// the file or the cause. The steps are reported up to the final " ".
[[nodiscard]] FramedPicture PrepareFrame(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                                         const RenderContext& context);

// Builds the framed image of workPhoto into target. A zero width of workPhoto becomes 800,
// a zero height 600. On failure throws Error naming the file or the cause; target then keeps
// what it held, and the final step text " " is still reported.
void ComposeFrame(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                  const RenderContext& context, Image& target);

}  // namespace lumabord
