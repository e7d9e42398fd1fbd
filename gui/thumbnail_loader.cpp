// Background thumbnails of the queued photos.
#include "thumbnail_loader.h"

#include <QMetaObject>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <new>

#include "base/error.h"
#include "compose/resample.h"
#include "qt_image.h"

namespace lumabord {

QImage thumbnailOf(const Image& image, int side) {
  if (image.empty()) return {};
  const double ratio = std::min(
      {1.0, static_cast<double>(side) / image.width(), static_cast<double>(side) / image.height()});
  const int w = std::max(1, static_cast<int>(std::lround(image.width() * ratio)));
  const int h = std::max(1, static_cast<int>(std::lround(image.height() * ratio)));
  if (w == image.width() && h == image.height()) return toQImage(image);
  Image reduced;
  const auto box = [](float x) { return std::fabs(x) <= 0.5f ? 1.0f : 0.0f; };
  Resample(image, reduced, w, h, box, 0.5f);
  return toQImage(reduced);
}

ThumbnailLoader::ThumbnailLoader(const PictureLoader& loader, int side, QObject* parent)
    : QObject(parent), loader_(loader), side_(side) {
  // One thread: the window's own work (rendering the preview) keeps the other cores.
  pool_.setMaxThreadCount(1);
}

ThumbnailLoader::~ThumbnailLoader() {
  pool_.clear();
  pool_.waitForDone();
}

void ThumbnailLoader::request(const QString& path, PhotoOptions options) {
  QPointer<ThumbnailLoader> self(this);
  pool_.start([this, self, path, options] {
    QImage thumbnail;
    QString reason;
    try {
      thumbnail = thumbnailOf(loader_.loadPhoto(path.toStdString(), options), side_);
      if (thumbnail.isNull()) reason = QStringLiteral("The picture has no pixels");
    } catch (const Error& e) {
      reason = QString::fromStdString(e.what());
    } catch (const std::bad_alloc&) {
      reason = QStringLiteral("Not enough memory to load ") + path;
    }
    QMetaObject::invokeMethod(
        this,
        [self, path, thumbnail, reason] {
          if (!self) return;
          if (reason.isEmpty()) {
            emit self->loaded(path, thumbnail);
          } else {
            emit self->failed(path, reason);
          }
        },
        Qt::QueuedConnection);
  });
}

void ThumbnailLoader::waitForDone() {
  pool_.waitForDone();
}

}  // namespace lumabord
