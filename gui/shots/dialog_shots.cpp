// lumabord-shots: pictures of the About box and of help manual pages for the documentation.
//   lumabord-shots about OUT.png
//   lumabord-shots page PAGE.html OUT.png    (the page as a simple HTML viewer shows it)
//   lumabord-shots jpeg-options OUT.png      (the JPEG options dialog with its defaults)
// Run under Xvfb (scripts/screenshot does) so that the desktop's fonts and style are used.
#include <QApplication>
#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <cstdio>

#include "app_icon.h"
#include "desktop_opener.h"
#include "tfrm_about.h"
#include "tfrm_jpeg_options.h"

int main(int argc, char* argv[]) {
  using namespace lumabord;
  QApplication app(argc, argv);
  QApplication::setWindowIcon(appIcon());
  const QStringList args = QApplication::arguments().mid(1);
  if (args.size() == 2 && args[0] == QStringLiteral("about")) {
    TfrmAbout about(defaultDesktopOpener(), [](const std::string&) {});
    about.show();
    QApplication::processEvents();
    return about.grab().save(args[1]) ? 0 : 1;
  }
  if (args.size() == 3 && args[0] == QStringLiteral("page")) {
    QTextBrowser page;
    page.resize(900, 760);
    page.setSource(QUrl::fromLocalFile(args[1]));
    page.show();
    QApplication::processEvents();
    return page.grab().save(args[2]) ? 0 : 1;
  }
  if (args.size() == 2 && args[0] == QStringLiteral("jpeg-options")) {
    TfrmJPEGOptions dialog{JpegOptions{}};
    dialog.show();
    QApplication::processEvents();
    return dialog.grab().save(args[1]) ? 0 : 1;
  }
  std::fputs(
      "usage: lumabord-shots about OUT.png | page PAGE.html OUT.png | jpeg-options OUT.png\n",
      stderr);
  return 2;
}
