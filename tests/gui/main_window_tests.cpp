// The main window under the offscreen platform: start-up defaults, the re-render rules
// (renders counted through a stand-in renderer), the queue and the JPEG options dialog.
#include <QCheckBox>
#include <QSlider>
#include <QtTest>

#include "integer_field.h"
#include "support/temp_dir.h"
#include "tfrm_jpeg_options.h"
#include "tfrm_main.h"
#include "titled_panel.h"

using namespace lumabord;

namespace {

class FakeDialogs final : public WindowDialogs {
 public:
  std::optional<std::string> askText(const std::string&, const std::string&) override { return text; }
  void message(const std::string& t) override { messages.push_back(t); }
  void warning(const std::string& t) override { messages.push_back(t); }
  bool confirmYesNoCancel(const std::string& t) override {
    messages.push_back(t);
    return yes;
  }
  std::optional<ColorValue> askColor(ColorValue) override { return color; }
  QString askNumberText(const QString&, const QString&, const QString& offered) override {
    return number.isNull() ? offered : number;
  }
  QStringList choosePhotos(const QString&) override { return photos; }
  void error(const std::string& t) override { messages.push_back(t); }

  std::optional<std::string> text;
  bool yes = true;
  std::optional<ColorValue> color = 0x123456;
  QString number;
  QStringList photos;
  std::vector<std::string> messages;
};

// Photos named "W x H.bmp" decode to blank images of that size.
class SizeLoader final : public PictureLoader {
 public:
  Image load(const std::filesystem::path& path) const override {
    const QStringList parts = QString::fromStdString(path.stem().string()).split('x');
    return Image(parts[0].toInt(), parts[1].toInt(), Rgb{1, 2, 3});
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  testing::TempDir dir_;
  FakeDialogs dialogs_;
  SizeLoader loader_;
  MemoryClipboard clipboard_;
  std::unique_ptr<TfrmMain> window_;

  template <typename T>
  T* child(const char* name) {
    T* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no child %s", name);
    return found;
  }

  void open(const QStringList& arguments = {}) {
    MainWindowServices services;
    services.appPath = dir_.path();
    services.dialogs = &dialogs_;
    services.clipboard = &clipboard_;
    services.screen = &headlessScreenPixels();
    services.loader = &loader_;
    services.renderer = [](const FrameSpec& spec, Image& photo, bool, RenderSteps& steps, Image& target) {
      steps.ShowRenderStep("Drawing Inner Matte");
      target = Image(photo.width() + 2 * spec.InnerWidth, photo.height() + 2 * spec.InnerWidth, Rgb{9, 9, 9});
    };
    window_ = std::make_unique<TfrmMain>(std::move(services), arguments);
  }

 private slots:
  void init() {
    dialogs_ = FakeDialogs{};
    open();
  }
  void cleanup() { window_.reset(); }

  void startupDefaultsReachTheWidgets() {
    QCOMPARE(window_->renderCount(), 0);
    QCOMPARE(child<IntegerField>("txtWidth")->value(), 800);
    QCOMPARE(child<IntegerField>("txtHeight")->value(), 600);
    QCOMPARE(child<IntegerField>("txtLeft")->value(), 50);
    QCOMPARE(child<IntegerField>("txtInnerWidth")->value(), 20);
    QVERIFY(child<QCheckBox>("chkShadowOuter")->isChecked());
    QVERIFY(!child<QCheckBox>("chkSignature")->isChecked());
    QCOMPARE(child<TitledPanel>("boxFile")->title(), QString("Total Files to Frame: 0"));
    QCOMPARE(window_->workPhoto().width(), 800);
    QCOMPARE(window_->designSettings().ShadowSize, 9);
    window_->FormActivate();
    QCOMPARE(window_->renderCount(), 1);
    QCOMPARE(window_->framedImage().width(), 840);
    QCOMPARE(window_->statusText(), QString("Status: Ready"));
  }

  void marginsRenderOnLeavingAfterAnEditOnly() {
    window_->show();
    window_->FormActivate();
    const int before = window_->renderCount();
    auto* left = child<IntegerField>("txtLeft");
    left->setFocus();
    QTest::keyRelease(left, Qt::Key_Tab);
    child<IntegerField>("txtTop")->setFocus();
    QCOMPARE(window_->renderCount(), before);
    left->setFocus();
    QTest::keyClick(left, Qt::Key_7);
    QCOMPARE(window_->renderCount(), before);
    child<IntegerField>("txtTop")->setFocus();
    QCOMPARE(window_->renderCount(), before + 1);
  }

  void innerWidthRendersOnEveryKeyRelease() {
    window_->FormActivate();
    const int before = window_->renderCount();
    auto* inner = child<IntegerField>("txtInnerWidth");
    inner->selectAll();
    QTest::keyClick(inner, Qt::Key_5);
    QCOMPARE(window_->renderCount(), before + 1);
    QCOMPARE(window_->framedImage().width(), 810);
  }

  void escapeWhileIdleAndBackgroundWithoutShadowDoNotRender() {
    window_->FormActivate();
    const int before = window_->renderCount();
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    QMetaObject::invokeMethod(window_.get(), [this] {
      window_->findChild<QAction*>("BackgroundColor1")->trigger();
    });
    QCOMPARE(window_->renderCount(), before);
    QCOMPARE(window_->designSettings().BackgroundColor, ColorValue{0x123456});
  }

  void addingOneAndSeveralPhotosAndClearing() {
    window_->FormActivate();
    dialogs_.photos = {"3000x2000.bmp"};
    window_->cmdAddClick();
    dialogs_.photos = {"1000x2500.bmp"};
    window_->cmdAddClick();
    QCOMPARE(window_->queue().front(), std::string("1000x2500.bmp"));
    QCOMPARE(child<IntegerField>("txtWidth")->value(), 3000);
    QCOMPARE(child<IntegerField>("txtHeight")->value(), 2500);
    dialogs_.photos = {"10x10.bmp", "20x20.bmp"};
    window_->cmdAddClick();
    QCOMPARE(window_->queue().size(), size_t{4});
    QCOMPARE(window_->workPhoto().width(), 1000);
    QCOMPARE(child<TitledPanel>("boxFile")->title(), QString("Total Files to Frame: 4"));
    const int before = window_->renderCount();
    window_->cmdClearClick();
    QCOMPARE(window_->renderCount(), before + 1);
    QCOMPARE(child<IntegerField>("txtWidth")->value(), 800);
    QCOMPARE(child<IntegerField>("txtHeight")->value(), 600);
    QCOMPARE(window_->workPhoto().width(), 800);
  }

  void copyPutsTheFullSizeImageOnTheClipboard() {
    window_->FormActivate();
    window_->CopyPreviewToClipboard();
    QCOMPARE(clipboard_.image().width(), 840);
    QCOMPARE(clipboard_.image().height(), 640);
  }

  void jpegOptionsClampAndEnable() {
    TfrmJPEGOptions dialog(JpegOptions{250, true, true});
    auto* slider = dialog.findChild<QSlider*>("GaugeBar1");
    auto* label = dialog.findChild<QLabel*>("lblCompression");
    auto* progressive = dialog.findChild<QCheckBox*>("chkProgressive");
    auto* smoothing = dialog.findChild<QCheckBox*>("chkSmoothing");
    QCOMPARE(slider->value(), 100);
    QCOMPARE(label->text(), QString("Compression Level: 100%"));
    progressive->click();
    QVERIFY(!smoothing->isEnabled());
    QVERIFY(smoothing->isChecked());
    QCOMPARE(dialog.options().quality, 100);
    QVERIFY(!dialog.options().progressive);
    QVERIFY(dialog.options().smoothing);
    slider->setValue(80);
    QCOMPARE(label->text(), QString("Compression Level: 80%"));
    TfrmJPEGOptions low(JpegOptions{-5, false, true});
    QCOMPARE(low.findChild<QSlider*>("GaugeBar1")->value(), 1);
    QVERIFY(!low.findChild<QCheckBox*>("chkSmoothing")->isEnabled());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_tests.moc"
