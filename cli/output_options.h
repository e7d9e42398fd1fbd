// What the commands that write a picture share: the output format from OUT's extension
// and the encoder options --quality N (1..100, default 80; JPEG and lossy WebP), --baseline
// (JPEG) and --lossless (WebP).
#pragma once

#include <filesystem>

#include "args.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"

namespace lumabord::cli {

// UsageError unless the extension is .jpg, .jpeg, .tif, .tiff, .bmp, .png or .webp (any case).
OutputFormat outputFormatOf(const std::filesystem::path& out);

// Removes --quality, --baseline, --lossless, --strip-metadata and --strip-gps from args; the
// metadata is kept as the window's stored "Keep Metadata" and "Keep GPS" say unless stripped.
// UsageError for a quality outside 1..100.
JpegOptions jpegOptionsFrom(Args& args);

// Removes --no-auto-orient from args; photos are turned upright as the stored "Auto Orient"
// says unless it is given.
PhotoOptions photoOptionsFrom(Args& args);

}  // namespace lumabord::cli
