// How long the window takes from a key release in the inner matte width field to the new
// preview on screen, with a 6000 x 4000 head photo and the default style. Prints the first
// preview's time and the minimum, median and maximum of eight key releases.
//   xvfb-run -a -s "-screen 0 1200x760x24" build/lumabord-typing-latency
// The asset folders are those beside the program; settings go to a temporary store.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdio>

#include "bench_setup.h"
#include "codecs/image_writers.h"
#include "integer_field.h"
#include "preview_view.h"
#include "tfrm_main.h"

using namespace lumabord;

namespace {

// Nothing is asked during the measurement; anything shown is printed.
class PrintingDialogs final : public WindowDialogs {
 public:
  std::optional<std::string> askText(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void message(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void warning(const std::string& text) override { message(text); }
  bool confirmYesNoCancel(const std::string&) override { return false; }
  std::optional<ColorValue> askColor(ColorValue) override { return std::nullopt; }
  QString askNumberText(const QString&, const QString&, const QString& offered) override {
    return offered;
  }
  QStringList choosePhotos(const QString&) override { return {}; }
  std::optional<std::filesystem::path> askSaveFile(const SaveFileRequest&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> askFolder(const QString&,
                                                 const std::filesystem::path&) override {
    return std::nullopt;
  }
  ReplaceAnswer askReplace(const std::string&) override { return ReplaceAnswer::No; }
  void error(const std::string& text) override { message(text); }
};

double seconds(const QElapsedTimer& timer) {
  return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir scratch;
  if (!scratch.isValid()) return 1;
  const std::filesystem::path photo = bench::useScratchSettings(scratch) / "photo.bmp";
  WriteBmpFile(photo, bench::detailedPhoto(6000, 4000));

  PrintingDialogs dialogs;
  MemoryClipboard clipboard;
  MainWindowServices services;
  services.programFile = QApplication::applicationFilePath().toStdString();
  services.dialogs = &dialogs;
  services.clipboard = &clipboard;
  services.screen = &headlessScreenPixels();
  TfrmMain window(std::move(services), {QString::fromStdString(photo.string())});
  window.resize(1200, 760);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  QElapsedTimer first;
  first.start();
  window.FormActivate();
  QCoreApplication::processEvents();
  std::printf("first preview: %.3f s (framed image %d x %d)\n", seconds(first),
              window.model().Preview.width(), window.model().Preview.height());

  auto* inner = window.findChild<IntegerField*>(QStringLiteral("txtInnerWidth"));
  auto* view = window.findChild<PreviewView*>(QStringLiteral("imgPreview"));
  std::vector<double> times;
  for (int i = 0; i < 8; ++i) {
    inner->setText(i % 2 ? QStringLiteral("16") : QStringLiteral("18"));
    QTest::keyPress(inner, Qt::Key_6);
    QElapsedTimer timer;
    timer.start();
    QTest::keyRelease(inner, Qt::Key_6);  // renders the new preview
    view->repaint();                      // and puts it on the screen
    QCoreApplication::processEvents();
    times.push_back(seconds(timer));
  }
  std::sort(times.begin(), times.end());
  std::printf("key release to new preview: min %.3f s, median %.3f s, max %.3f s (%zu releases)\n",
              times.front(), times[times.size() / 2], times.back(), times.size());
  return window.renderCount() == 9 ? 0 : 1;
}
