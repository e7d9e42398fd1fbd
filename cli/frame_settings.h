// The design, output box and JPEG options of lumabord-cli frame: read from the settings store
// and the asset folder exactly as the window reads them at start-up, then overridden by the
// values given on the command line.
#pragma once

#include <filesystem>

#include "app/signature_state.h"
#include "codecs/image_writers.h"
#include "compose/frame_spec.h"
#include "frame_options.h"

namespace lumabord::cli {

struct FrameJob {
  std::filesystem::path assets;  // the program folder of the asset and style folders
  FrameSpec spec;                // the design with the output box
  JpegOptions jpeg;              // with the metadata choices
  PhotoOptions photo;            // upright or as stored
  OutputFormat format = OutputFormat::Jpeg;
};

// Throws Error when the assets hold no such style or shadow, or a style cannot be read. The
// stored signature design (with the options' text) becomes signature's lettering; when it is
// shown, its glyph cache uses the disk cache folder.
[[nodiscard]] FrameJob loadFrameJob(const FrameOptions& options, MainSignature& signature);

}  // namespace lumabord::cli
