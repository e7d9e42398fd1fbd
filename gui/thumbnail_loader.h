// Loads small pictures of photos on a background thread, so that a long queue never holds
// up the window; results come back on the window thread as signals.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include "codecs/picture_loader.h"

namespace lumabord {

class ThumbnailLoader : public QObject {
  Q_OBJECT
 public:
  // Thumbnails fit in a square of side pixels.
  ThumbnailLoader(const PictureLoader& loader, int side, QObject* parent = nullptr);
  // Drops the requests not yet started and waits for the one in hand.
  ~ThumbnailLoader() override;
  ThumbnailLoader(const ThumbnailLoader&) = delete;
  ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

  // Starts loading path, upright or as stored as options say; loaded or failed follows once
  // for each request.
  void request(const QString& path, PhotoOptions options = {});
  // Waits until every request has been answered (for tests and benchmarks).
  void waitForDone();

 signals:
  void loaded(const QString& path, const QImage& thumbnail);
  void failed(const QString& path, const QString& reason);

 private:
  const PictureLoader& loader_;
  const int side_;
  QThreadPool pool_;
};

// image reduced to fit in a side x side square (never enlarged), averaging the pixels each
// thumbnail pixel covers.
[[nodiscard]] QImage thumbnailOf(const Image& image, int side);

}  // namespace lumabord
