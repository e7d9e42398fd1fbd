// lumabord-cli convert: reads any picture the loader reads and writes it at the same size
// as JPEG, TIFF, BMP, PNG or WebP, chosen by the output file's extension; a photo comes
// upright and in sRGB, with its metadata.
#include "args.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "command.h"
#include "output_options.h"

namespace lumabord::cli {
namespace {

int runConvert(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  const JpegOptions options = jpegOptionsFrom(args);
  const PhotoOptions photo = photoOptionsFrom(args);
  const auto files = args.positionals();
  if (files.size() != 2) throw UsageError("name one input and one output file");
  const OutputFormat format = outputFormatOf(files[1]);
  PhotoTags tags;
  const Image picture = loadPhoto(files[0], {}, photo, &tags);
  writeImageFile(files[1], picture, format, options, &tags);
  return 0;
}

const CommandRegistration kRegister{
    {"convert",
     "convert IN OUT.jpg|OUT.tif|OUT.bmp|OUT.png|OUT.webp [--quality N] [--baseline] [--lossless] "
     "[--no-auto-orient] [--strip-metadata] [--strip-gps]",
     runConvert}};

}  // namespace
}  // namespace lumabord::cli
