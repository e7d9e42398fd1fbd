// Parsing of the frame command line.
#include "frame_options.h"

#include <initializer_list>
#include <string_view>
#include <vector>

#include "args.h"
#include "base/error.h"
#include "command.h"
#include "platform/cp1252.h"

namespace lumabord::cli {
namespace {

std::optional<int> rangedInt(Args& args, const char* name, int low, int high) {
  const auto value = args.intOption(name);
  if (value && (*value < low || *value > high)) {
    throw UsageError("--" + std::string(name) + " must be from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not " + std::to_string(*value));
  }
  return value;
}

std::optional<ColorValue> colorOption(Args& args, const char* name) {
  const auto text = args.option(name);
  if (!text) return std::nullopt;
  try {
    return textToColor(*text);
  } catch (const Error& e) {
    throw UsageError("--" + std::string(name) + ": " + e.what());
  }
}

std::optional<bool> onOffOption(Args& args, const char* name) {
  const auto text = args.option(name);
  if (!text) return std::nullopt;
  if (*text == "on") return true;
  if (*text == "off") return false;
  throw UsageError("--" + std::string(name) + " is on or off, not '" + *text + "'");
}

// The index of text in names, for an option with a fixed list of words.
std::optional<int> wordOption(Args& args, const char* name,
                              std::initializer_list<std::string_view> names) {
  const auto text = args.option(name);
  if (!text) return std::nullopt;
  int index = 0;
  std::string list;
  for (std::string_view word : names) {
    if (*text == word) return index;
    list += (index == 0                                    ? ""
             : index + 1 == static_cast<int>(names.size()) ? " or "
                                                           : ", ") +
            std::string(word);
    ++index;
  }
  throw UsageError("--" + std::string(name) + " is " + list + ", not '" + *text + "'");
}

// The signature is drawn in 8-bit Windows-1252 codes: other characters cannot be drawn.
std::optional<std::string> signatureTextOption(Args& args) {
  auto text = args.option("signature-text");
  if (!text) return std::nullopt;
  const std::vector<std::string> outside = charactersOutsideCp1252(*text);
  if (!outside.empty()) {
    std::string named;
    for (const std::string& c : outside) named += (named.empty() ? "" : ", ") + c;
    throw UsageError("--signature-text holds characters outside Windows-1252: " + named);
  }
  return text;
}

}  // namespace

FrameOptions parseFrameOptions(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  FrameOptions options;
  if (auto assets = args.option("assets")) options.assets = *assets;
  options.style = args.option("style");
  if (const auto format = args.option("format")) {
    options.format = outputFormatFromExtension(*format);
    if (!options.format)
      throw UsageError("--format is jpg, tif, bmp, png or webp, not '" + *format + "'");
  }
  if (const auto box = args.option("box")) {
    int width = 0, height = 0;
    parseBox(*box, width, height);
    options.boxWidth = width;
    options.boxHeight = height;
  }
  options.quality = rangedInt(args, "quality", 1, 100);
  options.baseline = args.flag("baseline");
  options.lossless = args.flag("lossless");
  options.noAutoOrient = args.flag("no-auto-orient");
  options.stripMetadata = args.flag("strip-metadata");
  options.stripGps = args.flag("strip-gps");
  if (auto out = args.option("out")) {
    if (out->empty()) throw UsageError("--out needs a path");
    options.out = *out;
  }
  const bool overwrite = args.flag("overwrite");
  const bool noOverwrite = args.flag("no-overwrite");
  if (overwrite && noOverwrite)
    throw UsageError("--overwrite and --no-overwrite exclude each other");
  if (overwrite) options.existing = ExistingOutput::Overwrite;
  if (noOverwrite) options.existing = ExistingOutput::Fail;
  options.edgeShadow = onOffOption(args, "edge-shadow");
  options.shadowSize = rangedInt(args, "shadow-size", 1, 30);
  options.shadowColor = colorOption(args, "shadow-color");
  options.background = colorOption(args, "background");
  options.dropShadow = args.option("drop-shadow");
  options.signature = onOffOption(args, "signature");
  options.signatureText = signatureTextOption(args);
  options.signatureOn = wordOption(args, "signature-on", {"matte", "picture"});
  options.signatureAlign = wordOption(
      args, "signature-align",
      {"top-left", "top-center", "top-right", "bottom-left", "bottom-center", "bottom-right"});
  for (const std::string& photo : args.positionals()) options.photos.emplace_back(photo);
  if (options.photos.empty()) throw UsageError("name at least one photo");
  return options;
}

}  // namespace lumabord::cli
