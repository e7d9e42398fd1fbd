// The preview view with its two view modes.
#include "preview_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "compose/resample.h"
#include "qt_image.h"

namespace lumabord {

class PreviewCanvas : public QWidget {
 public:
  explicit PreviewCanvas(PreviewView* view) : QWidget(view), view_(view) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    view_->paintCanvas(painter, event->rect());
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) emit view_->clicked();
    QWidget::mouseReleaseEvent(event);
  }

 private:
  PreviewView* view_;
};

PreviewView::PreviewView(const QString& objectName, QWidget* parent)
    : QScrollArea(parent), canvas_(new PreviewCanvas(this)) {
  setObjectName(objectName);
  setFrameShape(QFrame::NoFrame);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setWidget(canvas_);
  setMode(Mode::FitToPage);
  setBackground(Qt::white);
}

void PreviewView::setImage(const Image& image) {
  source_ = &image;
  image_ = toQImageView(image);
  relayout();
}

void PreviewView::setMode(Mode mode) {
  mode_ = mode;
  zoom_ = 1.0;
  relayout();
}

void PreviewView::relayout() {
  scaled_ = {};
  if (mode_ == Mode::FitToPage) {
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  } else {
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    canvas_->resize(imageRect().size().expandedTo(QSize(1, 1)));
  }
  canvas_->update();
  emit zoomChanged();
}

double PreviewView::zoom() const {
  if (image_.isNull() || mode_ == Mode::ActualSize) return zoom_;
  return static_cast<double>(imageRect().width()) / image_.width();
}

void PreviewView::setZoom(double factor, const QPoint& anchor) {
  if (image_.isNull()) return;
  factor = std::clamp(factor, kMinZoom, kMaxZoom);
  // The image point under the anchor, before the change.
  const QPoint canvasAnchor = canvas_->mapFrom(viewport(), anchor);
  const QRect before = imageRect();
  const double oldZoom = zoom();
  const QPointF imagePoint((canvasAnchor.x() - before.x()) / oldZoom,
                           (canvasAnchor.y() - before.y()) / oldZoom);
  mode_ = Mode::ActualSize;
  zoom_ = factor;
  relayout();
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(imagePoint.x() * factor)) -
                                  anchor.x());
  verticalScrollBar()->setValue(static_cast<int>(std::lround(imagePoint.y() * factor)) -
                                anchor.y());
}

void PreviewView::setBackground(const QColor& color) {
  QPalette pal = viewport()->palette();
  pal.setColor(QPalette::Window, color);
  viewport()->setPalette(pal);
  viewport()->setAutoFillBackground(true);
  canvas_->setPalette(pal);
  canvas_->setAutoFillBackground(true);
  canvas_->update();
}

QColor PreviewView::background() const {
  return canvas_->palette().color(QPalette::Window);
}

QRect PreviewView::imageRect() const {
  if (image_.isNull()) return {};
  if (mode_ == Mode::ActualSize) {
    return QRect(0, 0, std::max(1, static_cast<int>(std::lround(image_.width() * zoom_))),
                 std::max(1, static_cast<int>(std::lround(image_.height() * zoom_))));
  }
  // Scale by the smaller ratio so one side fills the view; small images are enlarged too.
  const QSize area = canvas_->size();
  const double ratio = std::min(static_cast<double>(area.width()) / image_.width(),
                                static_cast<double>(area.height()) / image_.height());
  const QSize size(std::max(1, static_cast<int>(image_.width() * ratio)),
                   std::max(1, static_cast<int>(image_.height() * ratio)));
  return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
               size);
}

void PreviewView::paintCanvas(QPainter& painter, const QRect& area) {
  if (image_.isNull()) return;
  const QRect target = imageRect();
  if (mode_ == Mode::ActualSize && zoom_ == 1.0) {
    painter.drawImage(area.topLeft(), image_, area);
    return;
  }
  if (mode_ == Mode::ActualSize && zoom_ > 1.0) {
    // Magnified: each image pixel a sharp square, only the exposed part drawn.
    const QRectF source(area.x() / zoom_, area.y() / zoom_, area.width() / zoom_ + 1,
                        area.height() / zoom_ + 1);
    const QRect pixels = source.toAlignedRect().intersected(image_.rect());
    painter.drawImage(QRectF(pixels.x() * zoom_, pixels.y() * zoom_, pixels.width() * zoom_,
                             pixels.height() * zoom_),
                      image_, pixels);
    return;
  }
  if (scaled_.size() != target.size()) {
    if (target.width() < image_.width() && target.height() < image_.height()) {
      // Averaging the pixels each screen pixel covers, straight from the 24-bit image:
      // Qt's smooth scaling would first convert the whole full-size image (a 30-megapixel
      // framed photo costs about 0.3 s that way, the averaging about a tenth of it).
      Image reduced;
      const auto box = [](float x) { return std::fabs(x) <= 0.5f ? 1.0f : 0.0f; };
      Resample(*source_, reduced, target.width(), target.height(), box, 0.5f);
      scaled_ = QPixmap::fromImage(toQImageView(reduced));
    } else {
      scaled_ = QPixmap::fromImage(
          image_.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
  }
  painter.drawPixmap(target.topLeft(), scaled_);
}

}  // namespace lumabord
