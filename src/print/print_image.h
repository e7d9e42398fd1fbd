// PrintImage: the framed photo fitted into the output box and resampled, exactly as the
// batch output writes it.
#pragma once

#include <filesystem>

#include "base/image.h"
#include "compose/frame_spec.h"
#include "output/frame_engine.h"

namespace lumabord {

// Frames photo with spec through the batch's own steps and brings it into the output box.
// Throws Error with the loader's or the renderer's message.
[[nodiscard]] Image framedPrintImage(FrameEngine& engine, const FrameSpec& spec,
                                     const std::filesystem::path& photo);

// A framed image already in memory brought into spec's output box (each side at least 1).
[[nodiscard]] Image fitIntoOutputBox(const Image& framed, const FrameSpec& spec);

}  // namespace lumabord
