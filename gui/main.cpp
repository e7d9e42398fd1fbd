// The window program: photo paths on the command line are queued at start.
// --screenshot FILE saves a picture of the window once the first preview shows, then quits;
// --screenshot-signature FILE does the same with the signature dialog opened over it.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/version.h"
#include "app_icon.h"
#include "codecs/picture_loader.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_screen_pixels.h"
#include "platform/qt_window_dialogs.h"
#include "session_end.h"
#include "tfrm_main.h"

namespace {

constexpr const char* kUsage =
    "Usage: lumabord [OPTION]... [PHOTO]...\n"
    "Frame photographs: queue photos, design a frame of mattes, profile and shadows around\n"
    "them in a live preview, write every queued photo framed as JPEG, TIFF, BMP or PNG, and\n"
    "print the framed photo on one page (Print..., Ctrl+P) through CUPS.\n"
    "\n"
    "Photos named on the command line with the extension .jpg, .jpeg, .tif, .tiff, .bmp, .png,\n"
    ".heic, .heif, .avif, .webp or .jxl (in any case) are queued in the order given; other\n"
    "arguments are ignored.\n"
    "\n"
    "Options:\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "  --screenshot FILE    save a PNG picture of the window once the first preview shows,\n"
    "                       then quit\n"
    "  --screenshot-signature FILE\n"
    "                       save a PNG picture of the signature dialog opened over the first\n"
    "                       preview, then quit\n"
    "  --screenshot-print FILE\n"
    "                       save a PNG picture of the print dialog of the first preview,\n"
    "                       then quit (needs a printer)\n"
    "\n"
    "Qt's own options (such as -platform NAME or -style NAME) are accepted as well.\n"
    "\n"
    "Environment:\n"
    "  LUMABORD_REGISTRY    the settings file (default $XDG_CONFIG_HOME/lumabord/registry.reg)\n"
    "  LUMABORD_HOME        a portable program folder holding the assets and per-user files\n"
    "\n"
    "The help manual (Help > Help Manual, F1) describes every control; the command-line\n"
    "program lumabord-cli frames photos without a window, and lumabord-cli print puts one\n"
    "on a page as a PDF file or on a printer.\n";

// --help and --version need no display, so they are answered before Qt starts.
bool answeredInformation(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("lumabord %s\n", std::string(lumabord::kVersion).c_str());
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace lumabord;
  if (answeredInformation(argc, argv)) return 0;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumabord"));
  QApplication::setApplicationDisplayName(QStringLiteral("Lumabord"));
  QApplication::setApplicationVersion(QString::fromUtf8(kVersion.data(), kVersion.size()));
  QApplication::setWindowIcon(appIcon());
  // Wayland shells match the window to lumabord.desktop (its icon and name) by this id.
  QGuiApplication::setDesktopFileName(QStringLiteral("lumabord"));

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
  const QString signatureShot = takeOption(QStringLiteral("--screenshot-signature"));
  // --screenshot-zoom FILE saves the window with the preview zoomed to actual size.
  const QString zoomShot = takeOption(QStringLiteral("--screenshot-zoom"));
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
  services.opener = &defaultDesktopOpener();

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
  if (!signatureShot.isEmpty()) {
    QObject::connect(
        &window, &TfrmMain::previewRendered, &window,
        [&window, signatureShot] {
          QTimer::singleShot(300, &window, [&window, signatureShot] {
            // Taken from inside the dialog's own event loop.
            QTimer::singleShot(500, &window, [&window, signatureShot] {
              if (QWidget* dialog = QApplication::activeModalWidget()) {
                dialog->grab().save(signatureShot);
                dialog->close();
              }
              window.close();
            });
            window.SignatureMaker1Click();
          });
        },
        Qt::SingleShotConnection);
  }
  if (!zoomShot.isEmpty()) {
    window.setGeometry(window.screen()->availableGeometry());
    QObject::connect(
        &window, &TfrmMain::previewRendered, &window,
        [&window, zoomShot] {
          // Time for the queue strip's thumbnails; then actual size around the preview's middle.
          QTimer::singleShot(1500, &window, [&window, zoomShot] {
            if (auto* actual = window.findChild<QAction*>(QStringLiteral("ZoomActual1"))) {
              actual->trigger();
            }
            QTimer::singleShot(300, &window, [&window, zoomShot] {
              window.grab().save(zoomShot);
              window.close();
            });
          });
        },
        Qt::SingleShotConnection);
  }
  if (!printShot.isEmpty()) {
    window.setGeometry(window.screen()->availableGeometry());
    QObject::connect(&window, &TfrmMain::previewRendered, &window, [&window, printShot] {
      auto* poll = new QTimer(&window);
      QObject::connect(poll, &QTimer::timeout, &window, [poll, printShot] {
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
