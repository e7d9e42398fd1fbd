// The preview view with its two view modes.
#include "preview_view.h"

#include <QMouseEvent>
#include <QPainter>
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
  scaled_ = {};
  setMode(mode_);
}

void PreviewView::setMode(Mode mode) {
  mode_ = mode;
  scaled_ = {};
  if (mode_ == Mode::FitToPage) {
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  } else {
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    canvas_->resize(actualSize(devicePixelRatioF()).expandedTo(QSize(1, 1)));
  }
  canvas_->update();
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
  if (mode_ == Mode::ActualSize) return QRect(QPoint(0, 0), actualSize(devicePixelRatioF()));
  // Scale by the smaller ratio so one side fills the view; small images are enlarged too.
  const QSize area = canvas_->size();
  const double ratio = std::min(static_cast<double>(area.width()) / image_.width(),
                                static_cast<double>(area.height()) / image_.height());
  const QSize size(std::max(1, static_cast<int>(image_.width() * ratio)),
                   std::max(1, static_cast<int>(image_.height() * ratio)));
  return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
               size);
}

QSize PreviewView::actualSize(double ratio) const {
  return QSize(static_cast<int>(std::ceil(image_.width() / ratio)),
               static_cast<int>(std::ceil(image_.height() / ratio)));
}

void PreviewView::paintCanvas(QPainter& painter, const QRect& area) {
  if (image_.isNull()) return;
  // Drawn in the device's own pixels: on a screen of two pixels per unit, actual size is one
  // image pixel per screen pixel and the fitted image is scaled to twice the units.
  // The device transform carries the pixel ratio of whatever is painted on (a screen, or an
  // image handed to QWidget::render), where device()->devicePixelRatioF() names the widget.
  const double scale = painter.deviceTransform().m11();
  const double ratio = scale > 0 ? scale : 1.0;
  if (mode_ == Mode::ActualSize) {
    const QRectF source(area.x() * ratio, area.y() * ratio, area.width() * ratio,
                        area.height() * ratio);
    painter.drawImage(QRectF(area), image_, source);
    return;
  }
  const QRect target = imageRect();
  const QSize pixels = (QSizeF(target.size()) * ratio).toSize().expandedTo(QSize(1, 1));
  if (scaled_.size() != pixels || scaled_.devicePixelRatio() != ratio) {
    if (pixels.width() < image_.width() && pixels.height() < image_.height()) {
      // Averaging the pixels each screen pixel covers, straight from the 24-bit image:
      // Qt's smooth scaling would first convert the whole full-size image (a 30-megapixel
      // framed photo costs about 0.3 s that way, the averaging about a tenth of it).
      Image reduced;
      const auto box = [](float x) { return std::fabs(x) <= 0.5f ? 1.0f : 0.0f; };
      Resample(*source_, reduced, pixels.width(), pixels.height(), box, 0.5f);
      scaled_ = QPixmap::fromImage(toQImageView(reduced));
    } else {
      scaled_ = QPixmap::fromImage(
          image_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    scaled_.setDevicePixelRatio(ratio);
  }
  painter.drawPixmap(target.topLeft(), scaled_);
}

}  // namespace lumabord
