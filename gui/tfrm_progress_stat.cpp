// TfrmProgressStat.
#include "tfrm_progress_stat.h"

namespace lumabord {

TfrmProgressStat::TfrmProgressStat(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmProgressStat"));
  setWindowTitle(QStringLiteral("Status"));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(324, 117);
  setModal(false);

  Label1_ = new QLabel(QStringLiteral("Saving Frames"), this);
  Label1_->setObjectName(QStringLiteral("Label1"));
  Label1_->setAlignment(Qt::AlignCenter);
  Label1_->setGeometry(10, 14, 305, 16);

  ProgressBar1_ = new QProgressBar(this);
  ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1_->setRange(0, 100);
  ProgressBar1_->setValue(0);
  ProgressBar1_->setTextVisible(false);
  ProgressBar1_->setGeometry(6, 38, 313, 25);

  Button1_ = new QPushButton(QStringLiteral("Cancel"), this);
  Button1_->setObjectName(QStringLiteral("Button1"));
  Button1_->setGeometry(125, 78, 75, 25);
  connect(Button1_, &QPushButton::clicked, this, [this] { CancelRequested = true; });
}

void TfrmProgressStat::reject() {
  CancelRequested = true;
}

}  // namespace lumabord
