// The queue strip.
#include "queue_strip.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <filesystem>
#include <utility>

#include "thumbnail_loader.h"

namespace lumabord {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

QIcon drawnIcon(bool failed) {
  const int side = QueueStrip::kThumbnailSide;
  QPixmap pixmap(side, side * 2 / 3);
  pixmap.fill(QColor(0xE3, 0xE3, 0xE3));
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (failed) {
    // A red cross: the photo could not be read (the tooltip says why).
    painter.setPen(QPen(QColor(0xC2, 0x41, 0x41), 4));
    const QRect r = pixmap.rect().adjusted(30, 16, -30, -16);
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomLeft());
  }
  return QIcon(pixmap);
}

}  // namespace

QueueStrip::QueueStrip(const PictureLoader& loader, QWidget* parent)
    : QListWidget(parent),
      thumbnails_(new ThumbnailLoader(loader, kThumbnailSide, this)),
      pendingIcon_(drawnIcon(false)),
      failedIcon_(drawnIcon(true)) {
  setObjectName(QStringLiteral("lstQueue"));
  setIconSize(QSize(kThumbnailSide, kThumbnailSide));
  setViewMode(QListView::ListMode);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setDragDropMode(QAbstractItemView::InternalMove);
  setDefaultDropAction(Qt::MoveAction);
  setUniformItemSizes(true);
  setWordWrap(true);
  setTextElideMode(Qt::ElideMiddle);
  setMinimumWidth(150);
  connect(thumbnails_, &ThumbnailLoader::loaded, this, &QueueStrip::thumbnailLoaded);
  connect(thumbnails_, &ThumbnailLoader::failed, this, &QueueStrip::thumbnailFailed);
  connect(this, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit photoChosen(row(item)); });
  connect(this, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit photoChosen(row(item)); });
}

void QueueStrip::showQueue(const std::vector<std::string>& queue, size_t workIndex) {
  if (queue != shown_) {
    shown_ = queue;
    clear();
    for (size_t i = 0; i < queue.size(); ++i) {
      const QString path = QString::fromStdString(queue[i]);
      auto* item = new QListWidgetItem(
          QString::fromStdString(std::filesystem::path(queue[i]).filename().string()), this);
      item->setData(kPathRole, path);
      item->setData(kIndexRole, static_cast<qulonglong>(i));
      item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
      if (!known_.contains(path)) {
        known_.insert(path, {});
        thumbnails_->request(path, photoOptions_);
      }
      decorate(item);
    }
  }
  workIndex_ = workIndex;
  for (int i = 0; i < count(); ++i) {
    QFont font = item(i)->font();
    font.setBold(static_cast<size_t>(i) == workIndex_);
    item(i)->setFont(font);
  }
}

void QueueStrip::setPhotoOptions(const PhotoOptions& options) {
  if (options.autoOrient == photoOptions_.autoOrient) return;
  photoOptions_ = options;
  known_.clear();
  const std::vector<std::string> queue = std::exchange(shown_, {});
  showQueue(queue, workIndex_);
}

QString QueueStrip::failureOf(const QString& path) const {
  return known_.value(path).failure;
}

void QueueStrip::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
    std::vector<size_t> indices;
    for (const QListWidgetItem* item : selectedItems()) {
      indices.push_back(static_cast<size_t>(row(item)));
    }
    if (!indices.empty()) emit removeRequested(indices);
    return;
  }
  QListWidget::keyPressEvent(event);
}

void QueueStrip::dropEvent(QDropEvent* event) {
  if (event->source() != this) {
    // Files from elsewhere go to the window, which queues them.
    event->ignore();
    return;
  }
  QListWidget::dropEvent(event);
  std::vector<size_t> order;
  bool moved = false;
  for (int i = 0; i < count(); ++i) {
    const auto index = static_cast<size_t>(item(i)->data(kIndexRole).toULongLong());
    moved = moved || index != static_cast<size_t>(i);
    order.push_back(index);
  }
  if (moved && order.size() == shown_.size()) emit reordered(order);
}

void QueueStrip::thumbnailLoaded(const QString& path, const QImage& image) {
  known_[path] = {QIcon(QPixmap::fromImage(image)), {}};
  updateItems(path);
}

void QueueStrip::thumbnailFailed(const QString& path, const QString& reason) {
  known_[path] = {{}, reason};
  updateItems(path);
}

void QueueStrip::updateItems(const QString& path) {
  for (int i = 0; i < count(); ++i) {
    if (item(i)->data(kPathRole).toString() == path) decorate(item(i));
  }
}

void QueueStrip::decorate(QListWidgetItem* item) const {
  const QString path = item->data(kPathRole).toString();
  const Thumbnail thumbnail = known_.value(path);
  if (!thumbnail.failure.isEmpty()) {
    item->setIcon(failedIcon_);
    item->setToolTip(thumbnail.failure);
  } else {
    item->setIcon(thumbnail.icon.isNull() ? pendingIcon_ : thumbnail.icon);
    item->setToolTip(path);
  }
}

}  // namespace lumabord
