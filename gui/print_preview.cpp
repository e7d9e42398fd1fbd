// The print dialog's page preview.
#include "print_preview.h"

#include <QPainter>

#include "page_painter.h"

namespace lumabord {
namespace {

constexpr int kGap = 8;  // pixels between the pane's edge and the paper

}  // namespace

PrintPreview::PrintPreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PrintPreview1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PrintPreview::setPage(RecordedPage page) {
  page_ = std::move(page);
  update();
}

QRect PrintPreview::paperRect() const {
  if (page_.width <= 0 || page_.height <= 0) return {};
  const int roomW = width() - 2 * kGap - kShadow;
  const int roomH = height() - 2 * kGap - kShadow;
  if (roomW <= 0 || roomH <= 0) return {};
  // The longer side of the paper fills the room; the other keeps the paper's proportions.
  int w = roomW;
  int h = static_cast<int>(static_cast<int64_t>(roomW) * page_.height / page_.width);
  if (h > roomH) {
    h = roomH;
    w = static_cast<int>(static_cast<int64_t>(roomH) * page_.width / page_.height);
  }
  return {kGap + (roomW - w) / 2, kGap + (roomH - h) / 2, std::max(1, w), std::max(1, h)};
}

void PrintPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Mid));
  const QRect paper = paperRect();
  if (paper.isEmpty()) return;
  painter.fillRect(paper.translated(kShadow, kShadow), Qt::darkGray);
  painter.fillRect(paper, Qt::white);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  replayPage(painter, page_, QRectF(paper));
}

}  // namespace lumabord
