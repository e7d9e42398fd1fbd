// Output format and JPEG options of the writing commands.
#include "output_options.h"

#include "app/quick_reg.h"
#include "codecs/jpeg_options_model.h"
#include "command.h"

namespace lumabord::cli {
namespace {

void storedBool(std::string_view name, bool& value) {
  RegReadBool(std::string(kSettingsKey) + std::string(name), value);
}

}  // namespace

OutputFormat outputFormatOf(const std::filesystem::path& out) {
  const std::string extension = out.extension().string();
  const auto format = outputFormatFromExtension(extension.empty() ? "" : extension.substr(1));
  if (!format) {
    throw UsageError(
        "the output file must end in .jpg, .jpeg, .tif, .tiff, .bmp, .png or .webp, not '" +
        out.string() + "'");
  }
  return *format;
}

JpegOptions jpegOptionsFrom(Args& args) {
  JpegOptions options;
  if (const auto quality = args.intOption("quality")) {
    if (*quality != clampJpegQuality(*quality)) {
      throw UsageError("--quality must be from 1 to 100, not " + std::to_string(*quality));
    }
    options.quality = *quality;
  }
  options.progressive = !args.flag("baseline");
  options.lossless = args.flag("lossless");
  // The window's stored choices, which the flags can only narrow.
  storedBool("Keep Metadata", options.keepMetadata);
  storedBool("Keep GPS", options.keepGps);
  if (args.flag("strip-metadata")) options.keepMetadata = false;
  if (args.flag("strip-gps")) options.keepGps = false;
  return options;
}

PhotoOptions photoOptionsFrom(Args& args) {
  PhotoOptions options;
  storedBool("Auto Orient", options.autoOrient);
  if (args.flag("no-auto-orient")) options.autoOrient = false;
  return options;
}

}  // namespace lumabord::cli
