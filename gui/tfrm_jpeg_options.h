// TfrmJPEGOptions: the JPEG quality, progressive encoding and smoothing settings asked for
// before every JPEG output run, and whether the photos' metadata (and GPS location) is kept.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "codecs/image_writers.h"

namespace lumabord {

class TfrmJPEGOptions : public QDialog {
  Q_OBJECT
 public:
  // Shows options; a quality outside 1..100 shows as the nearer end.
  explicit TfrmJPEGOptions(const JpegOptions& options, QWidget* parent = nullptr);

  // The values as the dialog shows them.
  [[nodiscard]] JpegOptions options() const;

 private:
  void createWidgets();
  void createConnections();
  void showCompression();

  QLabel* lblCompression_ = nullptr;
  QSlider* GaugeBar1_ = nullptr;
  QCheckBox* chkProgressive_ = nullptr;
  QCheckBox* chkSmoothing_ = nullptr;
  QCheckBox* chkKeepMetadata_ = nullptr;  // "Keep Metadata"
  QCheckBox* chkKeepGps_ = nullptr;       // "Keep GPS"
  QPushButton* Button2_ = nullptr;        // OK
  QPushButton* Button1_ = nullptr;        // Cancel
};

// Asks for the JPEG options, starting at options; true and the new values in options when
// the user confirmed, false and options untouched otherwise.
bool EditJPEGOptions(JpegOptions& options, QWidget* parent);

}  // namespace lumabord
