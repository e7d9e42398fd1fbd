// Parsing of the print command line; the design options are the frame command's.
#include "print_options.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "args.h"
#include "base/error.h"
#include "command.h"

namespace lumabord::cli {
namespace {

// Paper sizes in thousandths of an inch.
constexpr std::array<std::pair<const char*, std::pair<int, int>>, 5> kPapers{{
    {"letter", {8500, 11000}},
    {"a4", {8268, 11693}},
    {"legal", {8500, 14000}},
    {"a3", {11693, 16535}},
    {"a5", {5827, 8268}},
}};

int marginThousandths(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const double inches = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(inches) || inches < 0 ||
      inches > 100) {
    throw UsageError("--margins is a number of inches from 0 to 100, not '" + text + "'");
  }
  return static_cast<int>(std::lround(inches * 1000.0));
}

}  // namespace

PrintOptions parsePrintOptions(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  PrintOptions options;
  if (auto pdf = args.option("pdf")) {
    if (pdf->empty()) throw UsageError("--pdf needs a file name");
    options.pdf = *pdf;
  }
  options.printer = args.option("printer");
  if (options.pdf.has_value() == options.printer.has_value()) {
    throw UsageError("name one destination: --pdf OUT.pdf or --printer NAME");
  }
  if (const auto paper = args.option("paper")) {
    const auto* it = std::find_if(kPapers.begin(), kPapers.end(),
                                  [&](const auto& entry) { return *paper == entry.first; });
    if (it == kPapers.end()) {
      throw UsageError("--paper is letter, a4, legal, a3 or a5, not '" + *paper + "'");
    }
    options.setup.paperWidth = it->second.first;
    options.setup.paperHeight = it->second.second;
  }
  if (const auto margins = args.option("margins")) {
    const int margin = marginThousandths(*margins);
    options.setup.marginLeft = options.setup.marginTop = options.setup.marginRight =
        options.setup.marginBottom = margin;
  }
  if (const auto position = args.option("position")) {
    const auto value = positionFromName(*position);
    if (!value)
      throw UsageError("--position names one of the nine places, not '" + *position + "'");
    options.position = *value;
  }
  if (const auto background = args.option("background")) {
    try {
      options.pageColor = textToColor(*background);
    } catch (const Error& e) {
      throw UsageError(std::string("--background: ") + e.what());
    }
  }
  options.compatible = args.flag("compatible");
  if (const auto dpi = args.intOption("dpi")) {
    if (*dpi < 1 || *dpi > 600) {
      throw UsageError("--dpi must be from 1 to 600, not " + std::to_string(*dpi));
    }
    options.screenDpi = *dpi;
  }
  // The file options of frame mean nothing on paper.
  for (const char* fileOption : {"format", "quality", "out"}) {
    if (args.option(fileOption)) {
      throw UsageError("--" + std::string(fileOption) + " is not an option of print");
    }
  }
  for (const char* fileFlag :
       {"baseline", "overwrite", "no-overwrite", "strip-metadata", "strip-gps"}) {
    if (args.flag(fileFlag))
      throw UsageError("--" + std::string(fileFlag) + " is not an option of print");
  }
  options.frame = parseFrameOptions(args.remaining());
  if (options.frame.photos.size() != 1) throw UsageError("name exactly one photo to print");
  return options;
}

}  // namespace lumabord::cli
