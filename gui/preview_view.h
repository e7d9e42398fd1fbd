// The preview: the framed image, shown scaled to fit (smoothly, centred) or at actual size
// from the top-left corner with scroll bars, on the preview background colour. A reduced
// view is painted straight at its size; the full-size image is painted only for views that
// need it (actual size and beyond, or enlarged).
#pragma once

#include <QImage>
#include <QPixmap>
#include <QScrollArea>

#include "compose/framed_picture.h"

namespace lumabord {

class PreviewCanvas;

class PreviewView : public QScrollArea {
  Q_OBJECT
 public:
  enum class Mode { FitToPage, ActualSize };

  explicit PreviewView(const QString& objectName, QWidget* parent = nullptr);

  // Shows picture, which must stay in place until the next setPicture (the model's preview).
  void setPicture(const FramedPicture& picture);
  void setMode(Mode mode);
  [[nodiscard]] Mode mode() const { return mode_; }
  // Actual size (one image pixel per device pixel) magnified by factor (clamped to kMinZoom ..
  // kMaxZoom), keeping the image point under anchor (a point of the viewport) where it is.
  void setZoom(double factor, const QPoint& anchor);
  // Screen (device) pixels per image pixel as shown now (also in fit mode).
  [[nodiscard]] double zoom() const;
  static constexpr double kMinZoom = 0.02;
  static constexpr double kMaxZoom = 32.0;
  void setBackground(const QColor& color);
  [[nodiscard]] QColor background() const;
  // The rectangle the image occupies inside the canvas, in canvas coordinates.
  [[nodiscard]] QRect imageRect() const;

 signals:
  void clicked();
  // The view mode or the zoom changed.
  void zoomChanged();

 private:
  friend class PreviewCanvas;
  void paintCanvas(QPainter& painter, const QRect& area);
  void paintPicture(QPainter& painter, const QRect& area);
  // Sizes the canvas and scroll bars for the mode and zoom.
  void relayout();
  // The image's size in device-independent units at the given device pixel ratio.
  [[nodiscard]] QSize actualSize(double ratio) const;
  [[nodiscard]] bool hasPicture() const { return picture_ != nullptr && !picture_->empty(); }
  // The full-size image, painted on first use.
  [[nodiscard]] const QImage& whole();
  // The image as shown in pixels of the device, painted for that size.
  [[nodiscard]] QPixmap scaledTo(const QSize& pixels);

  const FramedPicture* picture_ = nullptr;
  QImage whole_;    // a view of the picture's full-size pixels, once painted
  QPixmap scaled_;  // cache of the scaled image for the current canvas size
  Mode mode_ = Mode::FitToPage;
  double zoom_ = 1.0;  // the magnification of ActualSize
  PreviewCanvas* canvas_;
};

}  // namespace lumabord
