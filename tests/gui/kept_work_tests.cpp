// The window keeps the user's work: a refused design, a window destroyed while a field has
// the focus, stray wheel turns and keys, dark themes and dense screens, the preview's pixels,
// failed photos, Enter.
#include <QLabel>
#include <QWheelEvent>
#include <QtTest>

#include <unistd.h>

#include "app/quick_reg.h"
#include "app/user_folders.h"
#include "clickable_label.h"
#include "color_combo_box.h"
#include "compose/framed_picture.h"
#include "compose/render_fixtures.h"
#include "integer_field.h"
#include "preview_view.h"
#include "session_end.h"
#include "titled_panel.h"
#include "window_fixture.h"

namespace lumabord::testing {

class KeptWorkTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowRig> rig_;

  WindowRig& rig() { return *rig_; }
  TfrmMain& window() { return rig_->window(); }

  void openActive() {
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    window().FormActivate();
    QCOMPARE(window().renderCount(), 1);
  }

  // Gives widget the keyboard focus inside the active window.
  void focus(QWidget* widget) {
    QApplication::setActiveWindow(&window());
    widget->setFocus();
    QCOMPARE(QApplication::focusWidget(), widget);
  }

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    rig().open();
  }
  void cleanup() { rig_.reset(); }

  void aTypoTheRendererRefusesKeepsThePreviewAndTheProgram() {
    rig().renderer.widestInner = 5000;
    openActive();
    auto* inner = rig().child<IntegerField>("txtInnerWidth");
    inner->setText(QStringLiteral("16"));
    inner->end(false);
    QTest::keyClicks(inner, QStringLiteral("150"));
    QCOMPARE(rig().renderer.lastSpec.InnerWidth, 16150);
    QCOMPARE(
        rig().dialogs.messages,
        std::vector<std::string>{"error: The inner matte of 16150 pixels is beyond the limit"});
    QCOMPARE(window().model().Preview.width(), 800 + 2 * 1615);
    QCOMPARE(window().statusText(), QString("Status: Ready"));
    QVERIFY(window().isVisible());
    std::filesystem::remove(rig().dir / "registry.reg");
    rig().close();
    QVERIFY(std::filesystem::exists(rig().dir / "registry.reg"));
  }

  void twoWindowsAtOnceLoseNothingOfEachOther() {
    rig().close();
    rig().dir.write("mru.ini", "/p/old.jpg\r\n");
    TfrmMain& b = rig().open();
    std::unique_ptr<TfrmMain> a = rig().makeWindow();
    rig().dialogs.color = 0x00FF00;
    a->model().BackgroundColorClick();
    a->model().AddPhotos({"300x200.bmp"});
    a->close();
    a.reset();
    b.model().JPEGQuality = 55;
    rig().close();
    const auto stored = [](const char* name) {
      int32_t value = -1;
      RegReadInteger(std::string(kSettingsKey) + name, value);
      return value;
    };
    QCOMPARE(stored("Background"), 0x00FF00);
    QCOMPARE(stored("JPEG Quality"), 55);
    QCOMPARE(readText(rig().dir / "mru.ini"), std::string("300x200.bmp\r\n/p/old.jpg\r\n"));
  }

  void aLogoutOrHangUpSavesLikeClosing() {
    for (int signal : {SIGTERM, SIGHUP}) {
      rig().open();
      std::filesystem::remove(rig().dir / "registry.reg");
      window().show();
      SessionEnd sessionEnd(window());
      window().model().AddPhotos({"300x200.bmp"});
      raise(signal);
      QTRY_VERIFY(!window().isVisible());
      QVERIFY(std::filesystem::exists(rig().dir / "registry.reg"));
      QCOMPARE(readText(rig().dir / "mru.ini"), std::string("300x200.bmp\r\n"));
    }
  }

  // Run by tests/install/installed_program_test.sh, as a user who cannot write the program's
  // folder: the user's files go to the XDG folders, the bundled styles stay as they are.
  void anInstalledProgramKeepsTheUsersFilesInTheirFolders() {
    const QByteArray installed = qgetenv("LUMABORD_INSTALLED_PROGRAM");
    if (installed.isEmpty()) QSKIP("needs a read-only installed program (the install test)");
    rig().close();
    rig().programFile = installed.toStdString();
    QVERIFY(access(rig().programFile.parent_path().c_str(), W_OK) != 0);
    rig().open();
    const std::filesystem::path styles =
        xdgFolder("XDG_DATA_HOME", ".local/share") / "lumabord" / "Image Styles";
    auto* list = rig().child<QComboBox>("cboFrame");
    QVERIFY(list->count() >= 2);
    const std::string bundled = list->itemText(1).toStdString();
    rig().dialogs.text = "Mine";
    QTest::mouseClick(rig().child<ClickableLabel>("psvBorderLabel1"), Qt::LeftButton);
    QCOMPARE(list->currentText(), QString("Mine"));
    QVERIFY(std::filesystem::exists(styles / "Mine.txt"));
    list->setCurrentIndex(0);
    QTest::mouseClick(rig().child<ClickableLabel>("lblSave"), Qt::LeftButton);
    QVERIFY(std::filesystem::exists(styles / (list->itemText(0).toStdString() + ".txt")));
    list->setCurrentIndex(1);
    QTest::mouseClick(rig().child<ClickableLabel>("psvBorderLabel2"), Qt::LeftButton);
    QCOMPARE(rig().dialogs.messages.back(),
             "The style " + bundled + " comes with the program and cannot be deleted");
    list->setCurrentIndex(list->findText(QStringLiteral("Mine")));
    QTest::mouseClick(rig().child<ClickableLabel>("psvBorderLabel2"), Qt::LeftButton);
    QVERIFY(!std::filesystem::exists(styles / "Mine.txt"));
    rig().close();
    QVERIFY(
        std::filesystem::exists(xdgFolder("XDG_CONFIG_HOME", ".config") / "lumabord" / "mru.ini"));
    QVERIFY(std::filesystem::is_directory(xdgFolder("XDG_CACHE_HOME", ".cache") / "lumabord" /
                                          "FontCache3D"));
  }

  void destroyingTheWindowWithAFieldInEditReachesNoHandler() {
    openActive();
    auto* left = rig().child<IntegerField>("txtLeft");
    focus(left);
    QTest::keyClicks(left, QStringLiteral("7"));
    const int renders = rig().renderer.renders;
    rig().discard();
    QCOMPARE(rig().renderer.renders, renders);
  }

  void wheelAndArrowKeysChangeNoListByAccident() {
    rig().writeStyle("Classic", 40, 12);
    rig().writeStyle("Modern", 60, 12);
    rig().open();
    openActive();
    auto* styles = rig().child<QComboBox>("cboFrame");
    auto* colors = rig().child<ColorComboBox>("cboInnerColor");
    colors->setColorValue(0xFFFFFF);  // White, the entry just above "(Other...)"
    const int entries = colors->count();
    const int style = styles->currentIndex();
    for (QComboBox* list : {styles, static_cast<QComboBox*>(colors)}) {
      for (int delta : {-120, 120}) {
        QWheelEvent wheel(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
      }
    }
    QCOMPARE(styles->currentIndex(), style);
    QCOMPARE(colors->colorValue(), ColorValue{0xFFFFFF});
    // Arrowing onto "(Other...)" in the closed list opens no colour dialog.
    focus(colors);
    QTest::keyClick(colors, Qt::Key_Down);
    QCOMPARE(colors->count(), entries);
    QCOMPARE(colors->colorValue(), ColorValue{0xFFFFFF});
    QCOMPARE(window().renderCount(), 1);
  }

  void captionsStayDarkOnTheLightPanelsOfADarkTheme() {
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    QApplication::setPalette(dark);
    rig().open();
    QLabel* caption = nullptr;
    for (QLabel* label : window().findChildren<QLabel*>()) {
      if (label->text() == QStringLiteral("Left:")) caption = label;
    }
    QApplication::setPalette(original);
    QVERIFY(caption != nullptr);
    const QColor text = caption->palette().color(QPalette::WindowText);
    const QColor panel =
        rig().child<TitledPanel>("boxOuterMatte")->palette().color(QPalette::Window);
    QVERIFY2(panel.lightness() - text.lightness() > 128, "caption too light for its panel");
  }

  void thePreviewUsesTheDevicesPixels() {
    // Columns alternate black and white: any scaling on the way shows as grey or doubled.
    Image stripes(400, 200, Rgb{0, 0, 0});
    for (int y = 0; y < 200; ++y) {
      for (int x = 1; x < 400; x += 2) stripes.setPixel(x, y, Rgb{255, 255, 255});
    }
    const FramedPicture picture(std::move(stripes));
    PreviewView view(QStringLiteral("imgPreview"));
    view.resize(200, 100);
    view.setPicture(picture);
    for (PreviewView::Mode mode : {PreviewView::Mode::ActualSize, PreviewView::Mode::FitToPage}) {
      view.setMode(mode);
      QImage shot(400, 200, QImage::Format_RGB32);
      shot.setDevicePixelRatio(2);
      view.widget()->resize(200, 100);
      view.widget()->render(&shot);
      QCOMPARE(qGray(shot.pixel(10, 50)), 0);
      QCOMPARE(qGray(shot.pixel(11, 50)), 255);
    }
  }

  void eachViewShowsTheFramedImageResampled() {
    // Fitted views are painted in bands straight at their size, actual size from the whole
    // framed image; both must show the pixels of the whole image (resampled to fit).
    const RenderContext context{LUMABORD_BINARY_DIR};
    FrameSpec spec;
    spec.FrameProfile = "Ogee";
    spec.FrameTexture = "Wood/walnut.jpg";
    spec.OuterUseTexture = spec.InnerUseTexture = false;
    Image photo = patternImage(640, 430, 3);
    const FramedPicture picture = PrepareFrame(spec, photo, false, context);
    Image whole;
    ComposeFrame(spec, photo, false, context, whole);
    PreviewView view(QStringLiteral("imgPreview"));
    view.setPicture(picture);
    const auto shows = [&view](const Image& image) {
      QImage shot(view.widget()->size(), QImage::Format_RGB32);
      view.widget()->render(&shot);
      const QRect at = view.imageRect();
      if (at.size() != QSize(image.width(), image.height())) return false;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          const Rgb c = image.pixel(x, y);
          if (shot.pixel(at.x() + x, at.y() + y) != qRgb(c.r, c.g, c.b)) return false;
        }
      }
      return true;
    };
    for (const QSize size : {QSize(300, 200), QSize(170, 260)}) {
      view.setMode(PreviewView::Mode::FitToPage);
      view.resize(size);
      view.widget()->resize(size);
      Image fitted;
      Resample(whole, fitted, view.imageRect().width(), view.imageRect().height(), BoxFilter,
               kBoxRadius);
      QVERIFY(shows(fitted));
    }
    view.setMode(PreviewView::Mode::ActualSize);
    QVERIFY(shows(whole));
  }

  void aPhotoThatFailsToLoadIsNamedInItsMessage() {
    openActive();
    window().model().AddPhotos({"/photos/corrupt.jpg"});
    QCOMPARE(rig().dialogs.messages,
             std::vector<std::string>{
                 "error: /photos/corrupt.jpg: Not a JPEG file: starts with 0x00 0x00"});
  }

  void enterPressesAddExceptInATextField() {
    openActive();
    rig().dialogs.photos = QStringList{QStringLiteral("300x200.bmp")};
    auto* check = rig().child<QCheckBox>("chkShadowOuter");
    focus(check);
    QTest::keyClick(check, Qt::Key_Return);
    QCOMPARE(window().model().Queue.size(), size_t{1});
    auto* left = rig().child<IntegerField>("txtLeft");
    focus(left);
    const int renders = window().renderCount();
    QTest::keyClicks(left, QStringLiteral("5"));
    QTest::keyClick(left, Qt::Key_Enter);
    QCOMPARE(window().model().Queue.size(), size_t{1});
    QCOMPARE(window().renderCount(), renders + 1);  // the edit ended
  }
};

int runKeptWorkTests(int argc, char** argv) {
  KeptWorkTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lumabord::testing

#include "kept_work_tests.moc"
