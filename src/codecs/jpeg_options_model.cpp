// JpegOptionsModel and EditJPEGOptions.
#include "codecs/jpeg_options_model.h"

#include <algorithm>

namespace lumabord {

int clampJpegQuality(int value) {
  return std::clamp(value, JpegOptionsModel::kMinQuality, JpegOptionsModel::kMaxQuality);
}

JpegOptionsModel::JpegOptionsModel(const JpegOptions& stored)
    : quality_(clampJpegQuality(stored.quality)),
      progressive_(stored.progressive),
      smoothing_(stored.smoothing),
      keepMetadata_(stored.keepMetadata),
      keepGps_(stored.keepGps) {}

void JpegOptionsModel::setQuality(int value) {
  quality_ = clampJpegQuality(value);
}

std::string JpegOptionsModel::compressionCaption() const {
  return "Compression Level: " + std::to_string(quality_) + "%";
}

bool EditJPEGOptions(JpegOptions& options, JpegOptionsDialog& dialog) {
  JpegOptionsModel model(options);
  if (!dialog.run(model)) return false;
  options = model.confirmed();
  return true;
}

}  // namespace lumabord
