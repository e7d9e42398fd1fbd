// The preview view with its two view modes.
#include "preview_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

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

void PreviewView::setPicture(const FramedPicture& picture) {
  picture_ = &picture;
  whole_ = QImage();
  relayout();
}

const QImage& PreviewView::whole() {
  if (whole_.isNull() && hasPicture()) whole_ = toQImageView(picture_->whole());
  return whole_;
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
  if (!hasPicture() || mode_ == Mode::ActualSize) return zoom_;
  return static_cast<double>(imageRect().width()) * devicePixelRatioF() / picture_->width();
}

void PreviewView::setZoom(double factor, const QPoint& anchor) {
  if (!hasPicture()) return;
  factor = std::clamp(factor, kMinZoom, kMaxZoom);
  // The image point under the anchor, before the change.
  const QPoint canvasAnchor = canvas_->mapFrom(viewport(), anchor);
  const QRect before = imageRect();
  const double dpr = devicePixelRatioF();
  const double oldUnits = zoom() / dpr;  // units per image pixel
  const QPointF imagePoint((canvasAnchor.x() - before.x()) / oldUnits,
                           (canvasAnchor.y() - before.y()) / oldUnits);
  mode_ = Mode::ActualSize;
  zoom_ = factor;
  relayout();
  const double units = factor / dpr;
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(imagePoint.x() * units)) -
                                  anchor.x());
  verticalScrollBar()->setValue(static_cast<int>(std::lround(imagePoint.y() * units)) - anchor.y());
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
  if (!hasPicture()) return {};
  if (mode_ == Mode::ActualSize) {
    // One image pixel on zoom device pixels.
    return QRect(QPoint(0, 0), actualSize(devicePixelRatioF() / zoom_).expandedTo(QSize(1, 1)));
  }
  // Scale by the smaller ratio so one side fills the view; small images are enlarged too.
  const QSize area = canvas_->size();
  const double ratio = std::min(static_cast<double>(area.width()) / picture_->width(),
                                static_cast<double>(area.height()) / picture_->height());
  const QSize size(std::max(1, static_cast<int>(picture_->width() * ratio)),
                   std::max(1, static_cast<int>(picture_->height() * ratio)));
  return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
               size);
}

QSize PreviewView::actualSize(double ratio) const {
  return QSize(static_cast<int>(std::ceil(picture_->width() / ratio)),
               static_cast<int>(std::ceil(picture_->height() / ratio)));
}

void PreviewView::paintCanvas(QPainter& painter, const QRect& area) {
  if (!hasPicture()) return;
  try {
    paintPicture(painter, area);
  } catch (const std::exception&) {
    // Without memory for the image (or its photo gone) the background shows instead.
    scaled_ = {};
  }
}

void PreviewView::paintPicture(QPainter& painter, const QRect& area) {
  // Drawn in the device's own pixels: on a screen of two pixels per unit, actual size is one
  // image pixel per screen pixel and the fitted image is scaled to twice the units.
  // The device transform carries the pixel ratio of whatever is painted on (a screen, or an
  // image handed to QWidget::render), where device()->devicePixelRatioF() names the widget.
  const double scale = painter.deviceTransform().m11();
  const double ratio = scale > 0 ? scale : 1.0;
  if (mode_ == Mode::ActualSize && zoom_ >= 1.0) {
    // Actual size or magnified: each image pixel a sharp square, only the exposed part drawn.
    const QImage& image = whole();
    const double perUnit = ratio / zoom_;  // image pixels per unit
    const QRect pixels = QRectF(area.x() * perUnit, area.y() * perUnit, area.width() * perUnit + 1,
                                area.height() * perUnit + 1)
                             .toAlignedRect()
                             .intersected(image.rect());
    painter.drawImage(QRectF(pixels.x() / perUnit, pixels.y() / perUnit, pixels.width() / perUnit,
                             pixels.height() / perUnit),
                      image, pixels);
    return;
  }
  const QRect target = imageRect();
  const QSize pixels = (QSizeF(target.size()) * ratio).toSize().expandedTo(QSize(1, 1));
  if (scaled_.size() != pixels || scaled_.devicePixelRatio() != ratio) {
    scaled_ = scaledTo(pixels);
    scaled_.setDevicePixelRatio(ratio);
  }
  painter.drawPixmap(target.topLeft(), scaled_);
}

QPixmap PreviewView::scaledTo(const QSize& pixels) {
  if (pixels.width() < picture_->width() && pixels.height() < picture_->height()) {
    // Averaging the pixels each screen pixel covers, painted a band at a time straight at
    // this size: the full-size image (90 MB for a 24-megapixel photo) is never made for it.
    Image reduced;
    picture_->paintReduced(reduced, pixels.width(), pixels.height());
    return QPixmap::fromImage(toQImageView(reduced));
  }
  // Enlarged: Qt's smooth scaling of the full-size image, which is no larger than the view.
  return QPixmap::fromImage(
      whole().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace lumabord
