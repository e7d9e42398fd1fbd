// TPrintPreview: the recorded page scaled to fit the pane, white paper on a grey shadow.
#pragma once

#include <QWidget>

#include "print/recorded_page.h"

namespace lumabord {

class PrintPreview : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kShadow = 6;  // pixels of grey shadow right of and below the paper

  explicit PrintPreview(QWidget* parent = nullptr);

  void setPage(RecordedPage page);
  [[nodiscard]] const RecordedPage& page() const { return page_; }
  // Where the paper lies in the pane (empty before the first page).
  [[nodiscard]] QRect paperRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  RecordedPage page_;
};

}  // namespace lumabord
