// TfrmProgressStat: the small modeless window that counts the photos of a batch and offers
// Cancel (also on Esc), honoured between photos.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace lumabord {

class TfrmProgressStat : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmProgressStat(QWidget* parent = nullptr);

  // Set by Cancel or Esc; the batch reads it before each photo.
  bool CancelRequested = false;

  [[nodiscard]] QProgressBar* bar() const { return ProgressBar1_; }

 protected:
  // Esc and the title bar's close button request cancelling; the batch closes the window.
  void reject() override;

 private:
  QLabel* Label1_ = nullptr;
  QProgressBar* ProgressBar1_ = nullptr;
  QPushButton* Button1_ = nullptr;
};

}  // namespace lumabord
