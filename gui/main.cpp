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
#include "tfrm_main.h"

int main(int argc, char* argv[]) {
  using namespace lumabord;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumabord"));
  QApplication::setApplicationDisplayName(QStringLiteral("Lumabord"));
  QApplication::setWindowIcon(appIcon());

  QStringList arguments = QApplication::arguments().mid(1);
  const auto takeOption = [&arguments](const QString& name) {
    QString value;
    if (const qsizetype at = arguments.indexOf(name); at >= 0) {
      if (at + 1 < arguments.size()) value = arguments[at + 1];
      arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
    }
    return value;
  };
  const QString screenshot = takeOption(QStringLiteral("--screenshot"));
  // --screenshot-print FILE saves the print dialog of the first preview instead.
  const QString printShot = takeOption(QStringLiteral("--screenshot-print"));

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
  if (!printShot.isEmpty()) {
    window.setGeometry(window.screen()->availableGeometry());
    QObject::connect(&window, &TfrmMain::previewRendered, &window, [&window, printShot] {
      auto* poll = new QTimer(&window);
      QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, printShot] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        poll->stop();
        QTimer::singleShot(300, dialog, [dialog, printShot] {
          dialog->grab().save(printShot);
          dialog->close();
        });
      });
      poll->start(50);
      QTimer::singleShot(0, &window, [&window] {
        window.PrintFramedImage();
        window.close();
      });
    });
  }
  window.show();
  return QApplication::exec();
}
