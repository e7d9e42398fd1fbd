// Format keys and the writer dispatch.
#include "codecs/image_writers.h"

#include <algorithm>
#include <cctype>

namespace lumabord {

std::optional<OutputFormat> outputFormatFromExtension(std::string extension) {
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "jpg" || extension == "jpeg") return OutputFormat::Jpeg;
  if (extension == "tif" || extension == "tiff") return OutputFormat::Tiff;
  if (extension == "bmp") return OutputFormat::Bmp;
  if (extension == "png") return OutputFormat::Png;
  if (extension == "webp") return OutputFormat::Webp;
  return std::nullopt;
}

const char* formatKey(OutputFormat format) {
  switch (format) {
    case OutputFormat::Jpeg:
      return "jpg";
    case OutputFormat::Tiff:
      return "tif";
    case OutputFormat::Bmp:
      return "bmp";
    case OutputFormat::Png:
      return "png";
    case OutputFormat::Webp:
      return "webp";
  }
  return "bmp";
}

void writeImageFile(const std::filesystem::path& path, const Image& image, OutputFormat format,
                    const JpegOptions& options, const PhotoTags* photo) {
  switch (format) {
    case OutputFormat::Jpeg:
      WriteJpegFile(path, image, options, photo);
      return;
    case OutputFormat::Tiff:
      WriteTiffFile(path, image, photo, options);
      return;
    case OutputFormat::Bmp:
      WriteBmpFile(path, image);
      return;
    case OutputFormat::Png:
      WritePngFile(path, image, photo, options);
      return;
    case OutputFormat::Webp:
      WriteWebpFile(path, image, options, photo);
      return;
  }
}

const PhotoMetadata* keptMetadata(const PhotoTags* photo, const JpegOptions& options) {
  return photo && options.keepMetadata ? photo->metadata.get() : nullptr;
}

}  // namespace lumabord
