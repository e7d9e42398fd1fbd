// TfrmJPEGOptions.
#include "tfrm_jpeg_options.h"

#include "arrow_mark.h"
#include "titled_panel.h"
#include "window_colors.h"

namespace lumabord {

TfrmJPEGOptions::TfrmJPEGOptions(const JpegOptions& options, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmJPEGOptions"));
  setWindowTitle(QStringLiteral("Options"));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(378, 333);
  createWidgets();
  createConnections();
  chkSmoothing_->setChecked(options.smoothing);
  chkProgressive_->setChecked(options.progressive);
  chkSmoothing_->setEnabled(options.progressive);
  chkKeepMetadata_->setChecked(options.keepMetadata);
  chkKeepGps_->setChecked(options.keepGps);
  chkKeepGps_->setEnabled(options.keepMetadata);
  // The slider keeps its value inside 1..100.
  GaugeBar1_->setValue(options.quality);
  showCompression();
}

void TfrmJPEGOptions::createWidgets() {
  auto* panel =
      new TitledPanel(QStringLiteral("boxJPEG"), QStringLiteral("JPEG Encoding Settings"), this);
  panel->setGeometry(8, 8, 362, 188);
  QWidget* body = panel->body();

  lblCompression_ = new QLabel(QStringLiteral("JPEG Quality"), body);
  lblCompression_->setObjectName(QStringLiteral("lblCompression"));
  QFont bold = lblCompression_->font();
  bold.setBold(true);
  lblCompression_->setFont(bold);
  lblCompression_->setGeometry(14, 8, 250, 16);

  GaugeBar1_ = new QSlider(Qt::Horizontal, body);
  GaugeBar1_->setObjectName(QStringLiteral("GaugeBar1"));
  GaugeBar1_->setRange(1, 100);
  GaugeBar1_->setSingleStep(1);
  GaugeBar1_->setPageStep(10);
  GaugeBar1_->setValue(80);
  GaugeBar1_->setGeometry(14, 52, 329, 24);

  auto* Label1 = new QLabel(QStringLiteral("(Recommended)"), body);
  Label1->setObjectName(QStringLiteral("Label1"));
  QPalette navy = Label1->palette();
  navy.setColor(QPalette::WindowText, toQColor(kRecommendedColor));
  Label1->setPalette(navy);
  Label1->setGeometry(268, 26, 90, 14);
  // Points at the recommended position, 80 on the slider.
  auto* recommendArrow =
      new ArrowMark(ArrowMark::Direction::DownLeft, toQColor(kRecommendedColor), body);
  recommendArrow->setGeometry(272, 38, 16, 16);

  auto* Label2 = new QLabel(QStringLiteral("1 (Small Size, Low Quality)"), body);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(14, 78, 160, 14);
  auto* Label3 = new QLabel(QStringLiteral("(Large Size, High Quality) 100"), body);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label3->setGeometry(173, 78, 170, 14);

  chkProgressive_ =
      new QCheckBox(QStringLiteral("Progressive Encoding (good for internet viewing)"), body);
  chkProgressive_->setObjectName(QStringLiteral("chkProgressive"));
  chkProgressive_->setGeometry(14, 106, 330, 20);
  auto* smoothingArrow =
      new ArrowMark(ArrowMark::Direction::DownRight, palette().color(QPalette::WindowText), body);
  smoothingArrow->setGeometry(20, 126, 16, 14);
  chkSmoothing_ =
      new QCheckBox(QStringLiteral("Pixel Smoothing (edges are blurred on first scan)"), body);
  chkSmoothing_->setObjectName(QStringLiteral("chkSmoothing"));
  chkSmoothing_->setGeometry(38, 132, 310, 20);

  auto* metadata =
      new TitledPanel(QStringLiteral("boxMetadata"), QStringLiteral("Photo Information"), this);
  metadata->setGeometry(8, 202, 362, 90);
  chkKeepMetadata_ = new QCheckBox(QStringLiteral("Keep camera data, date, author and copyright"),
                                   metadata->body());
  chkKeepMetadata_->setObjectName(QStringLiteral("chkKeepMetadata"));
  chkKeepMetadata_->setGeometry(14, 4, 330, 20);
  chkKeepGps_ = new QCheckBox(QStringLiteral("Keep the GPS location"), metadata->body());
  chkKeepGps_->setObjectName(QStringLiteral("chkKeepGps"));
  chkKeepGps_->setGeometry(38, 26, 300, 20);

  Button2_ = new QPushButton(QStringLiteral("OK"), this);
  Button2_->setObjectName(QStringLiteral("Button2"));
  Button2_->setDefault(true);
  Button2_->setGeometry(206, 300, 75, 25);
  Button1_ = new QPushButton(QStringLiteral("Cancel"), this);
  Button1_->setObjectName(QStringLiteral("Button1"));
  Button1_->setGeometry(289, 300, 75, 25);
}

void TfrmJPEGOptions::createConnections() {
  connect(GaugeBar1_, &QSlider::valueChanged, this, &TfrmJPEGOptions::showCompression);
  connect(chkProgressive_, &QCheckBox::toggled, chkSmoothing_, &QCheckBox::setEnabled);
  connect(chkKeepMetadata_, &QCheckBox::toggled, chkKeepGps_, &QCheckBox::setEnabled);
  connect(Button2_, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button1_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmJPEGOptions::showCompression() {
  lblCompression_->setText(QStringLiteral("Compression Level: %1%").arg(GaugeBar1_->value()));
}

JpegOptions TfrmJPEGOptions::options() const {
  JpegOptions options{GaugeBar1_->value(), chkProgressive_->isChecked(),
                      chkSmoothing_->isChecked()};
  options.keepMetadata = chkKeepMetadata_->isChecked();
  options.keepGps = chkKeepGps_->isChecked();
  return options;
}

bool EditJPEGOptions(JpegOptions& options, QWidget* parent) {
  TfrmJPEGOptions dialog(options, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  options = dialog.options();
  return true;
}

}  // namespace lumabord
