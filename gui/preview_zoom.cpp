// Zooming and panning the preview.
#include "preview_zoom.h"

#include <QCursor>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "preview_view.h"

namespace lumabord {
namespace {

QAction* makeAction(QWidget* owner, const char* name, const QString& caption,
                    const QList<QKeySequence>& keys) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  owner->addAction(action);
  return action;
}

}  // namespace

PreviewZoom::PreviewZoom(PreviewView* view)
    : QObject(view),
      view_(view),
      zoomIn_(makeAction(
          view, "ZoomIn1", QStringLiteral("Zoom &In"),
          {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)})),
      zoomOut_(makeAction(view, "ZoomOut1", QStringLiteral("Zoom &Out"),
                          {QKeySequence(Qt::CTRL | Qt::Key_Minus)})),
      fit_(makeAction(view, "ZoomFit1", QStringLiteral("&Fit to Page"),
                      {QKeySequence(Qt::CTRL | Qt::Key_0)})),
      actual_(makeAction(view, "ZoomActual1", QStringLiteral("&Actual Size"),
                         {QKeySequence(Qt::CTRL | Qt::Key_1)})) {
  connect(zoomIn_, &QAction::triggered, this, [this] { zoomBy(1, anchor()); });
  connect(zoomOut_, &QAction::triggered, this, [this] { zoomBy(-1, anchor()); });
  connect(fit_, &QAction::triggered, this,
          [this] { view_->setMode(PreviewView::Mode::FitToPage); });
  connect(actual_, &QAction::triggered, this, [this] { view_->setZoom(1.0, anchor()); });
  view_->viewport()->installEventFilter(this);
  view_->widget()->installEventFilter(this);
}

void PreviewZoom::zoomBy(double steps, const QPoint& anchor) {
  view_->setZoom(view_->zoom() * std::pow(kStep, steps), anchor);
}

QPoint PreviewZoom::anchor() const {
  const QPoint pointer = view_->viewport()->mapFromGlobal(QCursor::pos());
  return view_->viewport()->rect().contains(pointer) ? pointer : view_->viewport()->rect().center();
}

bool PreviewZoom::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::Wheel: {
      // The event comes to the canvas or to the viewport around it.
      auto* wheel = static_cast<QWheelEvent*>(event);
      if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
      const QPoint at = widget->mapTo(view_->viewport(), wheel->position().toPoint());
      zoomBy(wheel->angleDelta().y() / 120.0, at);
      return true;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && view_->mode() == PreviewView::Mode::ActualSize) {
        dragFrom_ = mouse->globalPosition().toPoint();
      }
      return false;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!dragFrom_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      const QPoint now = mouse->globalPosition().toPoint();
      const QPoint moved = now - *dragFrom_;
      dragFrom_ = now;
      view_->horizontalScrollBar()->setValue(view_->horizontalScrollBar()->value() - moved.x());
      view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->value() - moved.y());
      view_->viewport()->setCursor(Qt::ClosedHandCursor);
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (dragFrom_) {
        dragFrom_.reset();
        view_->viewport()->unsetCursor();
      }
      return false;
    default:
      return false;
  }
}

}  // namespace lumabord
