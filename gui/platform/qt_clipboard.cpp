// Places images on the system clipboard through Qt.
#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "qt_image.h"

namespace lumabord {

void QtClipboard::placeImage(const Image& image) {
  QGuiApplication::clipboard()->setImage(toQImage(image));
}

}  // namespace lumabord
