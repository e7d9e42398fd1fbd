// Zooming and panning the preview: Ctrl+wheel zooms around the pointer, Ctrl+plus and
// Ctrl+minus zoom around the pointer (or the middle when it is elsewhere), Ctrl+0 fits,
// Ctrl+1 shows actual size, and dragging with the left button pans a zoomed image.
#pragma once

#include <QAction>
#include <QObject>
#include <QPoint>
#include <optional>

namespace lumabord {

class PreviewView;

class PreviewZoom : public QObject {
 public:
  static constexpr double kStep = 1.25;  // zoom factor of one wheel notch or key press

  explicit PreviewZoom(PreviewView* view);

  // The four commands, for the View menu (their shortcuts work anywhere in the window).
  [[nodiscard]] QList<QAction*> actions() const { return {zoomIn_, zoomOut_, fit_, actual_}; }
  void zoomBy(double steps, const QPoint& anchor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPoint anchor() const;  // the pointer in the viewport, or the viewport's middle

  PreviewView* view_;
  QAction* zoomIn_;
  QAction* zoomOut_;
  QAction* fit_;
  QAction* actual_;
  std::optional<QPoint> dragFrom_;  // global position of the last drag step
};

}  // namespace lumabord
