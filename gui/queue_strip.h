// The queue strip: the queued photos as thumbnails with their file names, in queue order.
// Clicking one shows it in the preview, Delete removes the selected ones and dragging
// reorders them; the strip only reports these wishes, the model changes the queue.
#pragma once

#include <QHash>
#include <QIcon>
#include <QListWidget>
#include <string>
#include <vector>

#include "codecs/picture_loader.h"

namespace lumabord {

class ThumbnailLoader;

class QueueStrip : public QListWidget {
  Q_OBJECT
 public:
  static constexpr int kThumbnailSide = 96;

  QueueStrip(const PictureLoader& loader, QWidget* parent = nullptr);

  // Shows queue with the entry at workIndex marked as the one in the preview; thumbnails
  // not yet known are requested.
  void showQueue(const std::vector<std::string>& queue, size_t workIndex);
  // Thumbnails upright or as stored; a change loads them all again.
  void setPhotoOptions(const PhotoOptions& options);
  // The failure of a photo that could not be loaded ("" when it loaded or is pending).
  [[nodiscard]] QString failureOf(const QString& path) const;
  [[nodiscard]] ThumbnailLoader& thumbnails() { return *thumbnails_; }

 signals:
  void photoChosen(int index);
  void removeRequested(const std::vector<size_t>& indices);
  // order[i]: the queue index of the photo the user put at i.
  void reordered(const std::vector<size_t>& order);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct Thumbnail {
    QIcon icon;
    QString failure;
  };
  void thumbnailLoaded(const QString& path, const QImage& image);
  void thumbnailFailed(const QString& path, const QString& reason);
  void updateItems(const QString& path);
  void decorate(QListWidgetItem* item) const;

  PhotoOptions photoOptions_;
  ThumbnailLoader* thumbnails_;
  QHash<QString, Thumbnail> known_;  // by path; an entry without icon or failure is pending
  std::vector<std::string> shown_;
  size_t workIndex_ = 0;
  QIcon pendingIcon_;
  QIcon failedIcon_;
};

}  // namespace lumabord
