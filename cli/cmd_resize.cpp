// lumabord-cli resize: fits a picture into a box without enlarging it, resamples it with
// Lanczos-3 and writes it like convert.
#include <algorithm>

#include "args.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "command.h"
#include "compose/resample.h"
#include "output_options.h"

namespace lumabord::cli {
namespace {

int runResize(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  const auto box = args.option("box");
  if (!box) throw UsageError("--box WxH is required");
  int boxWidth = 0, boxHeight = 0;
  parseBox(*box, boxWidth, boxHeight);
  const JpegOptions options = jpegOptionsFrom(args);
  const PhotoOptions photo = photoOptionsFrom(args);
  const auto files = args.positionals();
  if (files.size() != 2) throw UsageError("name one input and one output file");
  const OutputFormat format = outputFormatOf(files[1]);

  PhotoTags tags;
  const Image picture = loadPhoto(files[0], {}, photo, &tags);
  // A box side of 0 would leave the picture at full size, and a very thin picture would
  // fit into 0 pixels: both are raised to 1.
  const Size fitted =
      FitWithin(picture.width(), picture.height(), std::max(boxWidth, 1), std::max(boxHeight, 1));
  Image scaled;
  ResizeImage(picture, scaled, std::max(fitted.width, 1), std::max(fitted.height, 1));
  writeImageFile(files[1], scaled, format, options, &tags);
  return 0;
}

const CommandRegistration kRegister{{"resize",
                                     "resize IN OUT.jpg|OUT.tif|OUT.bmp|OUT.png|OUT.webp --box WxH "
                                     "[--quality N] [--baseline] [--lossless] [--no-auto-orient] "
                                     "[--strip-metadata] [--strip-gps]",
                                     runResize}};

}  // namespace
}  // namespace lumabord::cli
