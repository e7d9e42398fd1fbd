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
  void setBackground(const QColor& color);
  [[nodiscard]] QColor background() const;
  // The rectangle the image occupies inside the canvas, in canvas coordinates.
  [[nodiscard]] QRect imageRect() const;

 signals:
  void clicked();

 private:
  friend class PreviewCanvas;
  void paintCanvas(QPainter& painter, const QRect& area);
  // The image's size in device-independent units at the given device pixel ratio.
  [[nodiscard]] QSize actualSize(double ratio) const;

  const Image* source_ = nullptr;
  QImage image_;    // a view of source_'s pixels
  QPixmap scaled_;  // cache of the fitted image for the current canvas size
  Mode mode_ = Mode::FitToPage;
  PreviewCanvas* canvas_;
};

}  // namespace lumabord
