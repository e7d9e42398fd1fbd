// The command line of lumabord-cli frame, parsed into the values the user gave; every value
// left out is taken from the settings store later (frame_settings.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "codecs/image_writers.h"
#include "compose/color.h"

namespace lumabord::cli {

inline constexpr const char* kFrameUsage =
    "frame [--assets DIR] [--style NAME] [--format jpg|tif|bmp|png|webp] [--box WxH] [--quality N] "
    "[--baseline] [--lossless] [--no-auto-orient] [--strip-metadata] [--strip-gps] [--out PATH] "
    "[--overwrite | --no-overwrite] [--edge-shadow on|off] "
    "[--shadow-size N] [--shadow-color COLOUR] [--background COLOUR] [--drop-shadow NAME|none] "
    "[--signature on|off] [--signature-text TEXT] [--signature-on matte|picture] "
    "[--signature-align top-left|top-center|top-right|bottom-left|bottom-center|bottom-right] "
    "PHOTO...";

// What happens to an output file that already exists: the command line's answer to the
// replace question.
enum class ExistingOutput { Skip, Overwrite, Fail };

struct FrameOptions {
  std::optional<std::filesystem::path> assets;
  std::optional<std::string> style;
  std::optional<OutputFormat> format;
  std::optional<int> boxWidth;
  std::optional<int> boxHeight;
  std::optional<int> quality;  // 1..100
  bool baseline = false;       // one baseline scan instead of the stored progressive choice
  bool lossless = false;       // lossless WebP instead of lossy at the quality
  bool noAutoOrient = false;   // photos as stored, whatever their orientation tag says
  bool stripMetadata = false;  // no EXIF, IPTC or XMP in the files
  bool stripGps = false;       // no GPS tags, whatever "Keep GPS" says
  std::optional<std::filesystem::path> out;
  ExistingOutput existing = ExistingOutput::Skip;
  std::optional<bool> edgeShadow;
  std::optional<int> shadowSize;  // 1..30
  std::optional<ColorValue> shadowColor;
  std::optional<ColorValue> background;
  std::optional<std::string> dropShadow;  // a shadow name, or "none"
  std::optional<bool> signature;
  std::optional<std::string> signatureText;  // UTF-8, every character in Windows-1252
  std::optional<int> signatureOn;            // SigDrawOn: 0 matte, 1 picture
  std::optional<int> signatureAlign;         // SigAlign 0..5
  std::vector<std::filesystem::path> photos;
};

// Throws UsageError for unknown options, missing or malformed values and no photo.
[[nodiscard]] FrameOptions parseFrameOptions(std::vector<std::string> arguments);

}  // namespace lumabord::cli
