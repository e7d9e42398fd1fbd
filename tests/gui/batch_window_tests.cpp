// The window's output commands over the batch: the dialogs in their order, the progress
// window and title while it runs, the commands it disables, the files it writes (real BMP
// files, read back) and the replace question.
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QSlider>
#include <QtTest>

#include "app/quick_reg.h"
#include "codecs/picture_loader.h"
#include "integer_field.h"
#include "output/frame_engine.h"
#include "platform/qt_window_dialogs.h"
#include "tfrm_jpeg_options.h"
#include "tfrm_progress_stat.h"
#include "window_fixture.h"

namespace lumabord::testing {
namespace {

// A picture of one colour.
class BandPainter final : public FramePainter {
 public:
  BandPainter(int width, int height) : width_(width), height_(height) {}
  int width() const override { return width_; }
  int height() const override { return height_; }
  Rect photo() const override { return {}; }
  void paintRows(int, int count, uint8_t* out, size_t stride, const PhotoRows&) const override {
    for (int r = 0; r < count; ++r) {
      for (int x = 0; x < width_; ++x) {
        uint8_t* p = out + stride * static_cast<size_t>(r) + 3 * static_cast<size_t>(x);
        p[0] = 50, p[1] = 100, p[2] = 200;
      }
    }
  }

 private:
  int width_, height_;
};

// Loads sized photos and frames them in a band of the inner width; fitting, resampling and
// writing are the program's own.
class BandEngine final : public FrameEngine {
 public:
  std::unique_ptr<PhotoReader> openPhoto(const std::filesystem::path& path) override {
    return std::make_unique<DecodedPhotoReader>(sizedPhoto(path));
  }
  std::unique_ptr<FramePainter> layoutFrame(const FrameSpec& spec, const std::filesystem::path&,
                                            int photoWidth, int photoHeight, bool) override {
    return std::make_unique<BandPainter>(photoWidth + 2 * spec.InnerWidth,
                                         photoHeight + 2 * spec.InnerWidth);
  }
  Size fitWithin(int width, int height, int maxWidth, int maxHeight) override {
    return real_.fitWithin(width, height, maxWidth, maxHeight);
  }
  void resizeImage(RowSource& source, Image& target, int width, int height) override {
    real_.resizeImage(source, target, width, height);
  }
  void writeImage(const std::filesystem::path& path, const Image& image, OutputFormat format,
                  const JpegOptions& options, const PhotoTags* photo) override {
    if (duringWrite) duringWrite(path);
    real_.writeImage(path, image, format, options, photo);
  }
  std::function<void(const std::filesystem::path&)> duringWrite;

 private:
  StandardFrameEngine real_{std::filesystem::path()};
};

TfrmProgressStat* progressWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* progress = qobject_cast<TfrmProgressStat*>(widget);
        progress && progress->isVisible()) {
      return progress;
    }
  }
  return nullptr;
}

Size fileSize(const std::filesystem::path& path) {
  const Image image = defaultPictureLoader().load(path);
  return {image.width(), image.height()};
}

}  // namespace

class BatchWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowRig> rig_;
  BandEngine engine_;
  std::vector<std::string> seen_;  // what the progress window and the title showed per write

  TfrmMain& window() { return rig_->window(); }

  void queuePhotos(const QStringList& photos) {
    rig_->dialogs.photos = photos;
    window().model().cmdAddClick();
  }

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    rig_->engine = &engine_;
    rig_->open();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    window().FormActivate();
    seen_.clear();
    engine_.duringWrite = [this](const std::filesystem::path& path) {
      TfrmProgressStat* progress = progressWindow();
      if (progress == nullptr) qFatal("no progress window while writing");
      seen_.push_back(path.filename().string() + " " + progress->windowTitle().toStdString() + " " +
                      window().windowTitle().toStdString() + " " +
                      std::to_string(progress->bar()->value()) + "/" +
                      std::to_string(progress->bar()->maximum()) +
                      (window().findChild<QPushButton*>("cmdAdd")->isEnabled() ? " add" : "") +
                      (window().findChild<QAction*>("SaveAsBMPs1")->isEnabled() ? " save" : ""));
    };
  }
  void cleanup() { rig_.reset(); }

  void outputCommandsAndTheirShortcut() {
    for (const char* name : {"cmdSaveJPEG", "cmdSaveTIFF", "cmdSaveBMP"}) {
      QVERIFY(window().findChild<QPushButton*>(name)->isEnabled());
    }
    for (const char* name : {"SaveAsJPEGs1", "SaveasTIFFs1", "SaveAsBMPs1"}) {
      QVERIFY(window().findChild<QAction*>(name)->isEnabled());
    }
    QCOMPARE(window().findChild<QAction*>("SaveAsJPEGs1")->shortcut(), QKeySequence("Ctrl+S"));
    QVERIFY(window().findChild<QPushButton*>("cmdPrintPreview")->isEnabled());
  }

  void twoPhotosIntoAFolderWithProgressAndTitle() {
    const std::filesystem::path out = rig_->dir / "out";
    std::filesystem::create_directories(out);
    queuePhotos({"a/300x200.jpg", "b/120x90.tif"});
    window().findChild<IntegerField*>("txtWidth")->setText("100");
    window().findChild<IntegerField*>("txtHeight")->setText("100");
    rig_->dialogs.folder = out;
    const int renders = window().renderCount();
    window().findChild<QPushButton*>("cmdSaveBMP")->click();

    QCOMPARE(rig_->dialogs.calls, (std::vector<std::string>{"folder Select destination folder b"}));
    // Framed 340 x 240 and 160 x 130 fitted into 100 x 100 with truncated arithmetic.
    QCOMPARE(seen_,
             (std::vector<std::string>{"300x200.bmp 1/2 1/2 1/2", "120x90.bmp 2/2 2/2 2/2"}));
    const Size first = fileSize(out / "300x200.bmp");
    QCOMPARE(first.width, 100);
    QCOMPARE(first.height, 70);
    const Size second = fileSize(out / "120x90.bmp");
    QCOMPARE(second.width, 100);
    QCOMPARE(second.height, 81);
    QCOMPARE(window().windowTitle(), QString("Lumabord"));
    QVERIFY(progressWindow() == nullptr);
    QVERIFY(window().findChild<QPushButton*>("cmdAdd")->isEnabled());
    QCOMPARE(window().renderCount(), renders);  // the preview is not refreshed
    QCOMPARE(window().model().Queue.size(), size_t{2});

    // The next batch proposes the folder chosen in this one and asks before replacing.
    rig_->dialogs.replaceAnswers = {ReplaceAnswer::No, ReplaceAnswer::Yes};
    window().findChild<QAction*>("SaveAsBMPs1")->trigger();
    QCOMPARE(rig_->dialogs.calls.back(), "folder Select destination folder " + out.string());
    QCOMPARE(rig_->dialogs.messages,
             (std::vector<std::string>{"replace: " + (out / "300x200.bmp").string() +
                                           " already exists.\r\nDo you want to replace it?",
                                       "replace: " + (out / "120x90.bmp").string() +
                                           " already exists.\r\nDo you want to replace it?"}));
    QCOMPARE(seen_.size(), size_t{3});  // No skipped the first file
  }

  void equalBaseNamesAskAndYesToAllLastsOneBatch() {
    const std::filesystem::path out = rig_->dir / "out";
    std::filesystem::create_directories(out);
    queuePhotos({"a/40x30.jpg", "b/40x30.tif", "c/40x30.bmp"});
    rig_->dialogs.folder = out;
    rig_->dialogs.replaceAnswers = {ReplaceAnswer::YesToAll};
    window().findChild<QPushButton*>("cmdSaveBMP")->click();
    QCOMPARE(rig_->dialogs.messages,
             (std::vector<std::string>{"replace: " + (out / "40x30.bmp").string() +
                                       " already exists.\r\nDo you want to replace it?"}));
    QCOMPARE(seen_.size(), size_t{3});
    window().findChild<QPushButton*>("cmdSaveBMP")->click();
    QCOMPARE(rig_->dialogs.messages.size(), size_t{4});  // asked again for every file
    QCOMPARE(seen_.size(), size_t{6});
  }

  void oneOrNoPhotoAsksForAFileName() {
    rig_->dialogs.saveAs = rig_->dir / "x.png";
    window().findChild<QPushButton*>("cmdSaveBMP")->click();
    QCOMPARE(rig_->dialogs.calls.back(), std::string("save frame.bmp BMP Image (*.bmp)|*.bmp bmp"));
    QCOMPARE(seen_, (std::vector<std::string>{"x.bmp 1/1 1/1 1/0"}));
    const Size blank = fileSize(rig_->dir / "x.bmp");
    QCOMPARE(blank.width, 787);  // the blank 800 x 600 photo framed (840 x 640), fitted
    QCOMPARE(blank.height, 600);
    QVERIFY(window().model().Queue.empty());
    // The confirmed name is written without a question; another name is asked about.
    rig_->dialogs.saveAs = rig_->dir / "x.bmp";
    window().findChild<QPushButton*>("cmdSaveBMP")->click();
    QVERIFY(rig_->dialogs.messages.empty());
    rig_->dialogs.saveAs = rig_->dir / "x.png";
    rig_->dialogs.replaceAnswers = {ReplaceAnswer::No};
    window().findChild<QPushButton*>("cmdSaveBMP")->click();
    QCOMPARE(rig_->dialogs.messages,
             (std::vector<std::string>{"replace: " + (rig_->dir / "x.bmp").string() +
                                       " already exists.\r\nDo you want to replace it?"}));
    QCOMPARE(seen_.size(), size_t{2});
    seen_.clear();

    queuePhotos({"d/64x48.tif"});
    rig_->dialogs.saveAs.reset();
    window().findChild<QPushButton*>("cmdSaveTIFF")->click();
    QCOMPARE(rig_->dialogs.calls.back(),
             std::string("save 64x48.tif TIFF Image (*.tif)|*.tif tif"));
    QVERIFY(seen_.empty());  // cancelled: nothing written
  }

  void jpegAsksForItsOptionsFirst() {
    rig_->close();  // closing saves the settings; the stored value comes after it
    RegWriteInteger(std::string(kSettingsKey) + "JPEG Quality", 250, true);
    rig_->open();
    int shown = -1;
    answerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<TfrmJPEGOptions*>(modal);
      if (dialog == nullptr) qFatal("the JPEG options dialog did not come first");
      shown = dialog->findChild<QSlider*>("GaugeBar1")->value();
      dialog->findChild<QSlider*>("GaugeBar1")->setValue(55);
      dialog->findChild<QPushButton*>("Button1")->click();  // Cancel
    });
    window().findChild<QAction*>("SaveAsJPEGs1")->trigger();
    QCOMPARE(shown, 100);  // a stored 250 shows as 100
    QVERIFY(rig_->dialogs.calls.empty());
    QCOMPARE(window().model().JPEGQuality, 250);  // Cancel changes nothing

    answerNextModal([&](QWidget* modal) {
      modal->findChild<QSlider*>("GaugeBar1")->setValue(55);
      modal->findChild<QPushButton*>("Button2")->click();  // OK
    });
    window().findChild<QPushButton*>("cmdSaveJPEG")->click();
    QCOMPARE(rig_->dialogs.calls,
             (std::vector<std::string>{"save frame.jpg JPEG Image (*.jpg)|*.jpg jpg"}));
    QCOMPARE(window().model().JPEGQuality, 55);  // kept although the save dialog was cancelled
  }

  void escapeInTheProgressWindowStopsAfterThePhotoInHand() {
    const std::filesystem::path out = rig_->dir / "out";
    std::filesystem::create_directories(out);
    queuePhotos({"a/30x20.bmp", "a/31x20.bmp", "a/32x20.bmp"});
    rig_->dialogs.folder = out;
    auto record = engine_.duringWrite;
    engine_.duringWrite = [&](const std::filesystem::path& path) {
      record(path);
      QTest::keyClick(progressWindow(), Qt::Key_Escape);
    };
    window().findChild<QPushButton*>("cmdSaveBMP")->click();
    QCOMPARE(seen_.size(), size_t{1});
    QVERIFY(std::filesystem::exists(out / "30x20.bmp"));
    QVERIFY(!std::filesystem::exists(out / "31x20.bmp"));
    QVERIFY(progressWindow() == nullptr);
  }

  void progressWindowAndItsCancel() {
    TfrmProgressStat progress(&window());
    QCOMPARE(progress.windowTitle(), QString("Status"));
    QCOMPARE(progress.size(), QSize(324, 117));
    QCOMPARE(progress.findChild<QLabel*>("Label1")->text(), QString("Saving Frames"));
    QCOMPARE(progress.findChild<QPushButton*>("Button1")->text(), QString("Cancel"));
    progress.show();
    QVERIFY(!progress.CancelRequested);
    QTest::keyClick(&progress, Qt::Key_Escape);
    QVERIFY(progress.CancelRequested);
    QVERIFY(progress.isVisible());  // the batch closes it after the photo in hand
    progress.CancelRequested = false;
    progress.findChild<QPushButton*>("Button1")->click();
    QVERIFY(progress.CancelRequested);
  }

  void theQtReplaceQuestionAndSaveDialog() {
    QtWindowDialogs dialogs(&window(), defaultPictureLoader());
    QString text;
    answerNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) qFatal("no message box");
      text = box->text();
      QCOMPARE(box->icon(), QMessageBox::Warning);
      QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll);
      box->button(QMessageBox::YesToAll)->click();
    });
    QCOMPARE(dialogs.askReplace("/o/a.jpg already exists.\r\nDo you want to replace it?"),
             ReplaceAnswer::YesToAll);
    QCOMPARE(text, QString("/o/a.jpg already exists.\r\nDo you want to replace it?"));
    answerNextModal([](QWidget* modal) {
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click();
    });
    QCOMPARE(dialogs.askReplace("x"), ReplaceAnswer::No);

    const std::filesystem::path chosen = rig_->dir / "beach.bmp";
    QStringList filters;
    QString suffix;
    answerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (dialog == nullptr) qFatal("no file dialog");
      filters = dialog->nameFilters();
      suffix = dialog->defaultSuffix();
      dialog->selectFile(QString::fromStdString(chosen.string()));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto answer = dialogs.askSaveFile({"bmp", "BMP Image (*.bmp)|*.bmp", "beach.bmp"});
    QVERIFY(answer.has_value());
    QCOMPARE(*answer, chosen);
    QCOMPARE(filters, QStringList{"BMP Image (*.bmp)"});
    QCOMPARE(suffix, QString("bmp"));
  }

  void aFailedPhotoEndsTheBatchInOrder() {
    const std::filesystem::path out = rig_->dir / "out";
    std::filesystem::create_directories(out);
    queuePhotos({"a/30x20.bmp", "a/broken.bmp", "a/32x20.bmp"});
    rig_->dialogs.folder = out;
    window().findChild<QPushButton*>("cmdSaveBMP")->click();
    QCOMPARE(rig_->dialogs.messages.back(), "error: Cannot open file a/broken.bmp");
    QVERIFY(std::filesystem::exists(out / "30x20.bmp"));
    QVERIFY(!std::filesystem::exists(out / "32x20.bmp"));
    QCOMPARE(window().windowTitle(), QString("Lumabord"));
    QVERIFY(progressWindow() == nullptr);
    QVERIFY(window().findChild<QPushButton*>("cmdSaveBMP")->isEnabled());
  }
};

int runBatchWindowTests(int argc, char** argv) {
  BatchWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lumabord::testing

#include "batch_window_tests.moc"
