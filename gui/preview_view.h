// The preview: the full-size framed image, shown scaled to fit (smoothly, centred) or at
// actual size from the top-left corner with scroll bars, on the preview background colour.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QScrollArea>

#include "base/image.h"

namespace lumabord {

class PreviewCanvas;

class PreviewView : public QScrollArea {
  Q_OBJECT
 public:
  enum class Mode { FitToPage, ActualSize };

  explicit PreviewView(const QString& objectName, QWidget* parent = nullptr);

  // Shows image, which must stay in place until the next setImage (the model's preview).
  void setImage(const Image& image);
  [[nodiscard]] const QImage& image() const { return image_; }
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
  // Sizes the canvas and scroll bars for the mode and zoom.
  void relayout();
  // The image's size in device-independent units at the given device pixel ratio.
  [[nodiscard]] QSize actualSize(double ratio) const;

  const Image* source_ = nullptr;
  QImage image_;    // a view of source_'s pixels
  QPixmap scaled_;  // cache of the fitted image for the current canvas size
  Mode mode_ = Mode::FitToPage;
  double zoom_ = 1.0;  // the magnification of ActualSize
  PreviewCanvas* canvas_;
};

}  // namespace lumabord
