// The window program: photo paths on the command line are queued at start.
// --screenshot FILE saves a picture of the window once the first preview shows, then quits.
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "app_icon.h"
#include "codecs/picture_loader.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_screen_pixels.h"
#include "platform/qt_window_dialogs.h"
#include "session_end.h"
#include "tfrm_main.h"

int main(int argc, char* argv[]) {
  using namespace lumabord;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumabord"));
  QApplication::setApplicationDisplayName(QStringLiteral("Lumabord"));
  QApplication::setWindowIcon(appIcon());

  QStringList arguments = QApplication::arguments().mid(1);
  QString screenshot;
  if (const qsizetype at = arguments.indexOf(QStringLiteral("--screenshot")); at >= 0) {
    if (at + 1 < arguments.size()) screenshot = arguments[at + 1];
    arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
  }

  const PictureLoader& loader = defaultPictureLoader();
  QtClipboard clipboard;
  QtScreenPixels screen;
  QtWindowDialogs dialogs(nullptr, loader);
  MainWindowServices services;
  services.programFile = QApplication::applicationFilePath().toStdString();
  services.dialogs = &dialogs;
  services.clipboard = &clipboard;
  services.screen = &screen;
  services.loader = &loader;

  TfrmMain window(std::move(services), arguments);
  dialogs.setParentWindow(&window);
  SessionEnd sessionEnd(window);

  if (!screenshot.isEmpty()) {
    // Without a window manager nothing maximises the window; fill the screen ourselves.
    window.setGeometry(window.screen()->availableGeometry());
    QObject::connect(&window, &TfrmMain::previewRendered, &window, [&window, screenshot] {
      QTimer::singleShot(300, &window, [&window, screenshot] {
        window.grab().save(screenshot);
        window.close();
      });
    });
  }
  window.show();
  return QApplication::exec();
}
