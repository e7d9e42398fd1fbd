// Drops of local files on the window.
#include "file_drop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace lumabord {
namespace {

std::vector<std::filesystem::path> localFiles(const QMimeData* data) {
  std::vector<std::filesystem::path> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.emplace_back(url.toLocalFile().toStdString());
  }
  return paths;
}

}  // namespace

FileDropTarget::FileDropTarget(QWidget* window, Handler handler)
    : QObject(window), window_(window), handler_(std::move(handler)) {
  window_->setAcceptDrops(true);
  qApp->installEventFilter(this);
}

FileDropTarget::~FileDropTarget() {
  qApp->removeEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  auto* drop = static_cast<QDropEvent*>(event);
  // Moves inside the program (the queue strip's reordering) are not file drops.
  if (widget == nullptr || widget->window() != window_ || drop->source() != nullptr) return false;
  const std::vector<std::filesystem::path> paths = localFiles(drop->mimeData());
  if (paths.empty()) return false;
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type == QEvent::Drop) handler_(paths);
  return true;
}

}  // namespace lumabord
