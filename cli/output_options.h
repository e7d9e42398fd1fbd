// What the commands that write a picture share: the output format from OUT's extension
// and the encoder options --quality N (1..100, default 80; JPEG and lossy WebP), --baseline
// (JPEG) and --lossless (WebP).
#pragma once

#include <filesystem>

#include "args.h"
#include "codecs/image_writers.h"

namespace lumabord::cli {

// UsageError unless the extension is .jpg, .jpeg, .tif, .tiff, .bmp, .png or .webp (any case).
OutputFormat outputFormatOf(const std::filesystem::path& out);

// Removes --quality, --baseline and --lossless from args. UsageError for a quality outside 1..100.
JpegOptions jpegOptionsFrom(Args& args);

}  // namespace lumabord::cli
