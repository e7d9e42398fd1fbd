// The JPEG options dialog as data: the quality slider kept inside 1..100 and its caption,
// the progressive tick, and the smoothing tick that is only enabled with progressive
// encoding but keeps its state while disabled; the same for the metadata and GPS ticks. A window
// (or a test) shows the model and reports whether the user pressed OK.
#pragma once

#include <string>

#include "codecs/image_writers.h"

namespace lumabord {

class JpegOptionsModel {
 public:
  static constexpr int kMinQuality = 1;
  static constexpr int kMaxQuality = 100;

  // Fills the controls from the stored settings; a stored quality outside 1..100 shows as
  // the nearer end.
  explicit JpegOptionsModel(const JpegOptions& stored);

  [[nodiscard]] int quality() const { return quality_; }
  // A slider move; values outside 1..100 stop at the ends.
  void setQuality(int value);
  // The text of lblCompression, "Compression Level: 80%".
  [[nodiscard]] std::string compressionCaption() const;

  [[nodiscard]] bool progressive() const { return progressive_; }
  void setProgressive(bool on) { progressive_ = on; }
  [[nodiscard]] bool smoothing() const { return smoothing_; }
  void setSmoothing(bool on) { smoothing_ = on; }
  // chkSmoothing is enabled only while progressive encoding is ticked.
  [[nodiscard]] bool smoothingEnabled() const { return progressive_; }

  [[nodiscard]] bool keepMetadata() const { return keepMetadata_; }
  void setKeepMetadata(bool on) { keepMetadata_ = on; }
  [[nodiscard]] bool keepGps() const { return keepGps_; }
  void setKeepGps(bool on) { keepGps_ = on; }
  // chkKeepGps is enabled only while the metadata is kept.
  [[nodiscard]] bool keepGpsEnabled() const { return keepMetadata_; }

  // What OK stores: the ticks as they stand (also a disabled tick) and the slider.
  [[nodiscard]] JpegOptions confirmed() const {
    JpegOptions options{quality_, progressive_, smoothing_};
    options.keepMetadata = keepMetadata_;
    options.keepGps = keepGps_;
    return options;
  }

 private:
  int quality_ = 80;
  bool progressive_ = true;
  bool smoothing_ = true;
  bool keepMetadata_ = true;
  bool keepGps_ = false;
};

[[nodiscard]] int clampJpegQuality(int value);

// Shows a JpegOptionsModel to the user and returns true when it was confirmed with OK.
class JpegOptionsDialog {
 public:
  virtual ~JpegOptionsDialog() = default;
  virtual bool run(JpegOptionsModel& model) = 0;
};

// Edits options through the dialog: OK stores the model's values and returns true; Cancel
// or closing changes nothing and returns false.
bool EditJPEGOptions(JpegOptions& options, JpegOptionsDialog& dialog);

}  // namespace lumabord
