// The command line of lumabord-cli print: the page, the destination and the frame design.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "compose/color.h"
#include "frame_options.h"
#include "print/page_geometry.h"

namespace lumabord::cli {

inline constexpr const char* kPrintUsage =
    "print PHOTO (--pdf OUT.pdf | --printer NAME) [--paper letter|a4|legal|a3|a5] "
    "[--margins INCHES] [--position top-left|top|top-right|left|center|right|bottom-left|"
    "bottom|bottom-right] [--background COLOUR] [--compatible] [--dpi N] [--assets DIR] "
    "[--style NAME] [--box WxH] [--edge-shadow on|off] [--shadow-size N] "
    "[--shadow-color COLOUR] [--drop-shadow NAME|none] [--no-auto-orient]";

struct PrintOptions {
  std::optional<std::filesystem::path> pdf;
  std::optional<std::string> printer;
  PageSetup setup;  // Letter, margins of 0.25 inch
  ImagePosition position = ImagePosition::Center;
  ColorValue pageColor = kClWhite;
  bool compatible = false;
  int screenDpi = 96;
  FrameOptions frame;  // the design options and the one photo
};

// Throws UsageError for unknown or malformed options, a missing or doubled destination and
// anything but exactly one photo.
[[nodiscard]] PrintOptions parsePrintOptions(std::vector<std::string> arguments);

}  // namespace lumabord::cli
