// The main window under the offscreen platform, bound to its model: start-up defaults and
// stored settings in the widgets, the re-render table (renders counted through the model),
// the style operations, the queue, the JPEG options dialog and settings across a restart.
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QSlider>
#include <QtTest>

#include "app/quick_reg.h"
#include "clickable_label.h"
#include "color_combo_box.h"
#include "integer_field.h"
#include "preview_view.h"
#include "tfrm_jpeg_options.h"
#include "titled_panel.h"
#include "window_fixture.h"

namespace lumabord::testing {
namespace {

void storeInteger(const char* name, int32_t value) {
  RegWriteInteger(std::string(kSettingsKey) + name, value, true);
}

QStringList menuTexts(QMenu* menu) {
  QStringList texts;
  for (QAction* action : menu->actions()) {
    if (action->isVisible())
      texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
  }
  return texts;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowRig> rig_;

  WindowRig& rig() { return *rig_; }
  TfrmMain& window() { return rig_->window(); }
  IntegerField* field(const char* name) { return rig().child<IntegerField>(name); }
  void clickLabel(const char* name) {
    QTest::mouseClick(rig().child<ClickableLabel>(name), Qt::LeftButton);
  }

  // The number of renderings the action causes, counted by the model and by the renderer.
  int rendersOf(const std::function<void()>& action) {
    const int before = window().renderCount();
    const int rendererBefore = rig().renderer.renders;
    action();
    QCoreApplication::processEvents();
    const int renders = window().renderCount() - before;
    if (renders != rig().renderer.renders - rendererBefore) qFatal("model and renderer disagree");
    return renders;
  }

  // Three textures, a profile, a drop shadow and two styles.
  void writeAssets() {
    rig().touch("Image Textures/oak.jpg");
    rig().touch("Image Textures/slate.png");
    rig().touch("Image Masks/Flat.bmp");
    rig().touch("Shadows/Soft.bmp");
    rig().writeStyle("Classic", 40, 12);
    rig().writeStyle("Modern", 60, 12);
  }

  // The styles' left widths; the list holds them in the folder's listing order.
  static QString leftOf(const QString& style) { return style == "Classic" ? "40" : "60"; }
  QString styleAt(int index) { return rig().child<QComboBox>("cboFrame")->itemText(index); }

  void openActive() {
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    window().FormActivate();
    QCOMPARE(window().renderCount(), 1);
  }

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    writeAssets();
    rig().open();
  }
  void cleanup() { rig_.reset(); }

  void startupDefaultsReachTheWidgets() {
    QCOMPARE(window().renderCount(), 0);
    QCOMPARE(field("txtWidth")->text(), QString("800"));
    QCOMPARE(field("txtHeight")->text(), QString("600"));
    QVERIFY(rig().child<QCheckBox>("chkShadowOuter")->isChecked());
    QVERIFY(!rig().child<QCheckBox>("chkSignature")->isChecked());
    QCOMPARE(rig().child<TitledPanel>("boxFile")->title(), QString("Total Files to Frame: 0"));
    // The first style is selected and read into the widgets.
    QCOMPARE(rig().child<QComboBox>("cboFrame")->currentIndex(), 0);
    QCOMPARE(field("txtLeft")->text(), leftOf(styleAt(0)));
    QCOMPARE(field("txtInnerWidth")->text(), QString("12"));
    QVERIFY(rig().child<QRadioButton>("rdoFrame1")->isChecked());
    QCOMPARE(rig().child<QComboBox>("cboShadow")->currentText(), QString("<none>"));
    QCOMPARE(rig().child<PreviewView>("imgPreview")->background(), QColor(Qt::white));
    QCOMPARE(menuTexts(rig().child<QMenu>("RecentFiles1")), QStringList{});
    QCOMPARE(window().model().WorkPhoto.width(), 800);
    QCOMPARE(window().model().settings.ShadowSize, 9);
    QCOMPARE(window().model().JPEGQuality, 80);
    window().FormActivate();
    window().FormActivate();
    QCOMPARE(window().renderCount(), 1);
    QCOMPARE(window().model().Preview.width(), 824);
    QCOMPARE(window().statusText(), QString("Status: Ready"));
    QCOMPARE(window().stepText(), QString(" "));
    QCOMPARE(rig().child<ClickableLabel>("lblSave")->ground(), ColorValue{0x2BAA9A});
  }

  void storedSettingsReachTheWidgets() {
    rig().close();
    storeInteger("Image Width", 1024);
    storeInteger("Image Height", 768);
    storeInteger("Background", 0x00FF00);
    storeInteger("Shadow Edge", 0);
    storeInteger("Signature", 1);
    storeInteger("Frame Style", 1);
    storeInteger("Shadow Size", 12);
    rig().dir.write("mru.ini", std::string("/p/b&w.jpg\r\n/p/two.tif\r\n"));
    rig().open();
    QCOMPARE(field("txtWidth")->text(), QString("1024"));
    QCOMPARE(field("txtHeight")->text(), QString("768"));
    QVERIFY(!rig().child<QCheckBox>("chkShadowOuter")->isChecked());
    QVERIFY(rig().child<QCheckBox>("chkSignature")->isChecked());
    QCOMPARE(rig().child<QComboBox>("cboFrame")->currentIndex(), 1);
    QCOMPARE(field("txtLeft")->text(), leftOf(styleAt(1)));
    QCOMPARE(rig().child<PreviewView>("imgPreview")->background(), QColor(0, 255, 0));
    QCOMPARE(window().model().settings.ShadowSize, 12);
    QCOMPARE(menuTexts(rig().child<QMenu>("RecentFiles1")),
             (QStringList{"-", "&1 /p/b&&w.jpg", "&2 /p/two.tif"}));
  }

  void settingsSurviveCloseAndReopen() {
    openActive();
    auto* width = field("txtWidth");
    width->setText("1234");
    rig().dialogs.number = "14";
    window().findChild<QAction*>("OuterMatteShadowSize1")->trigger();
    rig().child<QCheckBox>("chkShadowOuter")->click();
    const std::filesystem::path photo = rig().touch("300x200.bmp");
    rig().dialogs.photos = {QString::fromStdString(photo.string())};
    window().findChild<QAction*>("Open1")->trigger();
    rig().child<QComboBox>("cboFrame")->setCurrentIndex(1);
    rig().close();
    QCOMPARE(readText(rig().dir / "mru.ini"), photo.string() + "\r\n");

    rig().open();
    // Opening a photo set the output size to the photo's; Clear would give 800 x 600 again.
    QCOMPARE(field("txtWidth")->text(), QString("300"));
    QCOMPARE(window().model().settings.ShadowSize, 14);
    QVERIFY(!rig().child<QCheckBox>("chkShadowOuter")->isChecked());
    QCOMPARE(rig().child<QComboBox>("cboFrame")->currentIndex(), 1);
    QCOMPARE(menuTexts(rig().child<QMenu>("RecentFiles1")),
             (QStringList{"-", QString::fromStdString("&1 " + photo.string())}));
    QCOMPARE(window().model().Queue.size(), size_t{0});  // the queue is not stored
  }

  void everyEventOfTheTableRendersOnce_data() {
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("renders");
    QTest::newRow("frame colour chosen") << "cboFrameColor" << 1;
    QTest::newRow("frame texture chosen") << "cboFrameTexture" << 1;
    QTest::newRow("profile chosen") << "cboFrameMask" << 1;
    QTest::newRow("drop shadow chosen") << "cboShadow" << 1;
    QTest::newRow("outer matte colour chosen") << "cboOuterMatteColor" << 1;
    QTest::newRow("outer matte texture chosen") << "cboOuterMatteTexture" << 1;
    QTest::newRow("inner colour chosen") << "cboInnerColor" << 1;
    QTest::newRow("inner texture chosen") << "cboInnerTexture" << 1;
    QTest::newRow("style chosen") << "cboFrame" << 1;
    QTest::newRow("option button clicked") << "rdoOuterMatte2" << 1;
    QTest::newRow("left width typed, then Tab") << "typed txtLeft" << 1;
    QTest::newRow("Tab alone through txtLeft") << "tab txtLeft" << 0;
    QTest::newRow("key released in txtInnerWidth") << "typed txtInnerWidth" << 1;
    QTest::newRow("Tab released in txtInnerWidth") << "tab txtInnerWidth" << 1;
    QTest::newRow("Shadow clicked") << "chkShadowOuter" << 1;
    QTest::newRow("Show Signature clicked") << "chkSignature" << 1;
    QTest::newRow("colour picking ended by Esc") << "pick" << 1;
    QTest::newRow("Esc while idle") << "esc" << 0;
    QTest::newRow("background colour with <none>") << "background" << 0;
    QTest::newRow("background colour with a drop shadow") << "background shadow" << 1;
    QTest::newRow("shadow colour") << "shadow colour" << 1;
    QTest::newRow("shadow size changed") << "shadow size" << 1;
    QTest::newRow("shadow size prompt cancelled") << "shadow size cancel" << 0;
    QTest::newRow("photo added") << "add" << 1;
    QTest::newRow("recent photo opened") << "recent" << 1;
    QTest::newRow("missing recent photo") << "recent missing" << 0;
    QTest::newRow("queue cleared") << "clear" << 1;
    QTest::newRow("width and height typed") << "output size" << 0;
  }

  void everyEventOfTheTableRendersOnce() {
    QFETCH(QString, event);
    QFETCH(int, renders);
    openActive();
    auto* combo = window().findChild<QComboBox*>(event);
    const std::filesystem::path photo = rig().touch("300x200.bmp");
    auto typeAndLeave = [&](const char* name, Qt::Key key) {
      auto* f = field(name);
      f->setFocus();
      QTest::keyClick(f, key);
      field("txtWidth")->setFocus();
    };
    const std::map<QString, std::function<void()>> actions{
        {"typed txtLeft", [&] { typeAndLeave("txtLeft", Qt::Key_7); }},
        {"tab txtLeft",
         [&] {
           field("txtLeft")->setFocus();
           QTest::keyRelease(field("txtLeft"), Qt::Key_Tab);
           QTest::keyRelease(field("txtLeft"), Qt::Key_Shift);
           field("txtTop")->setFocus();
         }},
        {"typed txtInnerWidth", [&] { QTest::keyClick(field("txtInnerWidth"), Qt::Key_5); }},
        {"tab txtInnerWidth", [&] { QTest::keyRelease(field("txtInnerWidth"), Qt::Key_Tab); }},
        {"rdoOuterMatte2",
         [&] { QTest::mouseClick(rig().child<QRadioButton>("rdoOuterMatte2"), Qt::LeftButton); }},
        {"chkShadowOuter", [&] { rig().child<QCheckBox>("chkShadowOuter")->click(); }},
        {"chkSignature", [&] { rig().child<QCheckBox>("chkSignature")->click(); }},
        {"pick",
         [&] {
           rig().child<QToolButton>("SpeedButton2")->click();
           QVERIFY(window().picking());
           QTest::keyClick(field("txtTop"), Qt::Key_Escape);
           QVERIFY(!window().picking());
         }},
        {"esc", [&] { QTest::keyClick(field("txtTop"), Qt::Key_Escape); }},
        {"background", [&] { window().findChild<QAction*>("BackgroundColor1")->trigger(); }},
        {"background shadow",
         [&] {
           rig().child<QComboBox>("cboShadow")->setCurrentIndex(1);
           window().findChild<QAction*>("BackgroundColor1")->trigger();
         }},
        {"shadow colour",
         [&] { window().findChild<QAction*>("OuterMatteShadowColor1")->trigger(); }},
        {"shadow size",
         [&] {
           rig().dialogs.number = "7.9";
           window().findChild<QAction*>("OuterMatteShadowSize1")->trigger();
         }},
        {"shadow size cancel",
         [&] { window().findChild<QAction*>("OuterMatteShadowSize1")->trigger(); }},
        {"add",
         [&] {
           rig().dialogs.photos = {QString::fromStdString(photo.string())};
           rig().child<QPushButton>("cmdAdd")->click();
         }},
        {"recent",
         [&] {
           window().model().MRUFiles1.Add(photo.string());
           QMenu* recent = rig().child<QMenu>("RecentFiles1");
           recent->actions().back()->trigger();
         }},
        {"recent missing",
         [&] {
           window().model().MRUFiles1.Add((rig().dir / "gone.jpg").string());
           rig().child<QMenu>("RecentFiles1")->actions().back()->trigger();
         }},
        {"clear", [&] { rig().child<QPushButton>("cmdClear")->click(); }},
        {"output size",
         [&] {
           QTest::keyClick(field("txtWidth"), Qt::Key_3);
           QTest::keyClick(field("txtHeight"), Qt::Key_3);
           field("txtLeft")->setFocus();
         }},
    };
    const int counted = rendersOf([&] {
      if (combo != nullptr) {
        // A texture choice other than the current one; a colour choice of Red.
        const int index = qobject_cast<ColorComboBox*>(combo) ? 11 : combo->count() - 1;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
      } else {
        actions.at(event)();
      }
    });
    QCOMPARE(counted, renders);
    QCOMPARE(rig().renderer.deepest, 1);
  }

  void listChoicesSetTheirOptionAndReachTheRenderer() {
    openActive();
    auto* texture = rig().child<QComboBox>("cboInnerTexture");
    const int slate = texture->findText("slate.png");
    texture->setCurrentIndex(slate);
    emit texture->activated(slate);
    QVERIFY(rig().child<QRadioButton>("rdoInnerMatte2")->isChecked());
    QCOMPARE(rig().renderer.lastSpec.InnerTexture, std::string("slate.png"));
    auto* colour = rig().child<ColorComboBox>("cboFrameColor");
    colour->setCurrentIndex(9);  // Red
    emit colour->activated(9);
    QVERIFY(rig().child<QRadioButton>("rdoFrame1")->isChecked());
    QCOMPARE(rig().renderer.lastSpec.FrameColor, ColorValue{0x0000FF});
    // The inner width field is read leniently, never below 0.
    field("txtInnerWidth")->setText("");
    QTest::keyClick(field("txtInnerWidth"), Qt::Key_9);
    QCOMPARE(rig().renderer.lastSpec.InnerWidth, 9);
    QCOMPARE(window().model().Preview.width(), 818);
    rig().dialogs.number = "abc";
    window().findChild<QAction*>("OuterMatteShadowSize1")->trigger();
    QCOMPARE(window().model().settings.ShadowSize, 1);
  }

  void nothingRendersBeforeTheFirstActivation() {
    auto* colour = rig().child<ColorComboBox>("cboFrameColor");
    emit colour->activated(3);
    rig().child<QCheckBox>("chkShadowOuter")->click();
    auto* style = rig().child<QComboBox>("cboFrame");
    style->setCurrentIndex(1);
    emit style->activated(1);
    QCOMPARE(window().renderCount(), 0);
    QCOMPARE(field("txtLeft")->text(), leftOf(styleAt(0)));  // the style was not read either
  }

  void aChangeDuringARenderingRendersOnceMoreAfterIt() {
    openActive();
    auto* inner = field("txtInnerWidth");
    int posted = 0;
    rig().renderer.duringRender = [&] {
      if (posted++ > 0) return;
      inner->setText("30");
      QCoreApplication::postEvent(
          inner, new QKeyEvent(QEvent::KeyRelease, Qt::Key_0, Qt::NoModifier, "0"));
      QCoreApplication::postEvent(
          inner, new QKeyEvent(QEvent::KeyRelease, Qt::Key_0, Qt::NoModifier, "0"));
    };
    QCOMPARE(rendersOf([&] { QTest::keyClick(inner, Qt::Key_5); }), 2);
    QCOMPARE(rig().renderer.deepest, 1);
    QCOMPARE(rig().renderer.lastSpec.InnerWidth, 30);
    // A queue command that arrives during a rendering runs after it.
    posted = 0;
    rig().renderer.duringRender = [&] {
      if (posted++ == 0) rig().child<QPushButton>("cmdClear")->click();
    };
    QCOMPARE(rendersOf([&] { QTest::keyClick(inner, Qt::Key_1); }), 2);
    QCOMPARE(rig().renderer.deepest, 1);
  }

  void styleAddDeleteAndSave() {
    openActive();
    FakeDialogs& d = rig().dialogs;
    auto* styles = rig().child<QComboBox>("cboFrame");
    field("txtLeft")->setText("77");
    d.text = "My.Frame?";
    clickLabel("psvBorderLabel1");
    QCOMPARE(d.asked.back(), std::string("New: Type in a Name for the new Frame Style"));
    QCOMPARE(styles->count(), 3);
    QCOMPARE(styles->currentText(), QString("MyFrame"));
    QVERIFY(readText(rig().dir / "Image Styles/MyFrame.txt").find("\r\nLEFT=77\r\n") !=
            std::string::npos);
    QCOMPARE(window().renderCount(), 1);  // adding does not render

    d.text = "MyFrame";
    clickLabel("psvBorderLabel1");
    QCOMPARE(d.messages.back(), std::string("Duplicate style name, use a different name"));
    QCOMPARE(styles->count(), 3);
    d.text.reset();  // Cancel
    clickLabel("psvBorderLabel1");
    QCOMPARE(styles->count(), 3);

    field("txtLeft")->setText("88");
    clickLabel("lblSave");
    QCOMPARE(rig().child<ClickableLabel>("lblSave")->ground(), ColorValue{0x808080});
    QCOMPARE(window().statusText(), QString("Status: Ready"));
    QVERIFY(readText(rig().dir / "Image Styles/MyFrame.txt").find("\r\nLEFT=88\r\n") !=
            std::string::npos);
    QTest::keyClick(field("txtInnerWidth"), Qt::Key_1);
    QCOMPARE(rig().child<ClickableLabel>("lblSave")->ground(), ColorValue{0x2BAA9A});

    d.yes = false;
    clickLabel("psvBorderLabel2");
    QCOMPARE(d.messages.back(), std::string("confirm: Are you sure you want to delete MyFrame?"));
    QCOMPARE(styles->count(), 3);
    d.yes = true;
    clickLabel("psvBorderLabel2");
    QVERIFY(!std::filesystem::exists(rig().dir / "Image Styles/MyFrame.txt"));
    QCOMPARE(styles->count(), 2);
    QCOMPARE(styles->currentIndex(), 1);
    styles->setCurrentIndex(0);
    clickLabel("psvBorderLabel2");
    QCOMPARE(styles->count(), 1);
    QCOMPARE(styles->currentIndex(), -1);  // the first entry removed: nothing selected
    styles->setCurrentIndex(0);
    clickLabel("psvBorderLabel2");
    QCOMPARE(d.messages.back(),
             std::string("warning: You can't delete this style because it is your default style"));
    QCOMPARE(styles->count(), 1);
  }

  void addingOneAndSeveralPhotosAndClearing() {
    openActive();
    FakeDialogs& d = rig().dialogs;
    d.photos = {"3000x2000.bmp"};
    window().findChild<QAction*>("Open1")->trigger();
    d.photos = {"1000x2500.bmp"};
    rig().child<QPushButton>("cmdAdd")->click();
    QCOMPARE(window().model().Queue.front(), std::string("1000x2500.bmp"));
    QCOMPARE(field("txtWidth")->text(), QString("3000"));
    QCOMPARE(field("txtHeight")->text(), QString("2500"));
    d.photos = {"10x10.bmp", "20x20.bmp", "10x10.bmp"};
    rig().child<QPushButton>("cmdAdd")->click();
    QCOMPARE(window().model().Queue,
             (std::vector<std::string>{"1000x2500.bmp", "3000x2000.bmp", "10x10.bmp", "20x20.bmp",
                                       "10x10.bmp"}));
    QCOMPARE(window().model().WorkPhoto.width(), 1000);
    QCOMPARE(rig().child<TitledPanel>("boxFile")->title(), QString("Total Files to Frame: 5"));
    // Only single photos enter the recent list.
    QCOMPARE(window().model().MRUFiles1.Items(),
             (std::vector<std::string>{"1000x2500.bmp", "3000x2000.bmp"}));
    d.photos = {};
    QCOMPARE(rendersOf([&] { rig().child<QPushButton>("cmdAdd")->click(); }), 0);  // cancelled

    d.photos = {"broken.bmp"};
    QCOMPARE(rendersOf([&] { rig().child<QPushButton>("cmdAdd")->click(); }), 0);
    QCOMPARE(d.messages.back(), "error: Cannot open file broken.bmp");
    QCOMPARE(window().statusText(), QString("Status: Ready"));

    QCOMPARE(rendersOf([&] { window().findChild<QAction*>("ClearQueue1")->trigger(); }), 1);
    QCOMPARE(field("txtWidth")->text(), QString("800"));
    QCOMPARE(field("txtHeight")->text(), QString("600"));
    QCOMPARE(window().model().WorkPhoto.width(), 800);
    QVERIFY(rig().renderer.lastQueueEmpty);
    QCOMPARE(rig().child<TitledPanel>("boxFile")->title(), QString("Total Files to Frame: 0"));
  }

  void commandLinePhotosAreQueued() {
    rig().open(
        {"400x300.jpg", "b.TIFF", "notes.txt", QString::fromStdString(rig().dir.path().string())});
    QCOMPARE(window().model().Queue, (std::vector<std::string>{"400x300.jpg", "b.TIFF"}));
    QCOMPARE(field("txtWidth")->text(), QString("400"));
    QCOMPARE(window().renderCount(), 0);
  }

  void copyPutsTheFullSizeImageOnTheClipboard() {
    QVERIFY(!window().findChild<QAction*>("CopytoClipboard1")->isEnabled());
    openActive();
    QVERIFY(window().findChild<QAction*>("CopytoClipboard1")->isEnabled());
    rig().child<QMenu>("PopupMenu1")->actions().front()->trigger();
    QCOMPARE(rig().clipboard.image().width(), 824);
    QCOMPARE(rig().clipboard.image().height(), 624);
  }

  void aRefusedRenderingShowsItsMessageAndTheWindowGoesOn() {
    std::filesystem::remove(rig().dir / "registry.reg");
    rig().renderer.failing = true;
    window().show();
    window().FormActivate();
    QCOMPARE(window().renderCount(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(rig().dialogs.messages,
             (std::vector<std::string>{"error: Cannot open file Image Textures/oak.jpg"}));
    QVERIFY(window().isVisible());
    rig().close();
    QVERIFY(std::filesystem::exists(rig().dir / "registry.reg"));
    QVERIFY(std::filesystem::exists(rig().dir / "mru.ini"));
  }

  void jpegOptionsClampAndEnable() {
    TfrmJPEGOptions dialog(JpegOptions{250, true, true});
    auto* slider = dialog.findChild<QSlider*>("GaugeBar1");
    auto* label = dialog.findChild<QLabel*>("lblCompression");
    auto* progressive = dialog.findChild<QCheckBox*>("chkProgressive");
    auto* smoothing = dialog.findChild<QCheckBox*>("chkSmoothing");
    QCOMPARE(dialog.windowTitle(), QString("Options"));
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
    // Metadata kept and the location left out by default; the location box only counts
    // while the metadata is kept, and keeps its tick while disabled.
    auto* metadata = dialog.findChild<QCheckBox*>("chkKeepMetadata");
    auto* gps = dialog.findChild<QCheckBox*>("chkKeepGps");
    QVERIFY(metadata->isChecked() && !gps->isChecked() && gps->isEnabled());
    gps->click();
    metadata->click();
    QVERIFY(!gps->isEnabled() && gps->isChecked());
    QVERIFY(!dialog.options().keepMetadata && dialog.options().keepGps);
    // Every box shows whole in its panel's body, below the panel's title.
    dialog.show();
    for (const auto* box : dialog.findChildren<QCheckBox*>()) {
      QVERIFY2(box->parentWidget()->rect().contains(box->geometry()), qPrintable(box->text()));
    }
  }
};

int runMainWindowTests(int argc, char** argv) {
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lumabord::testing

#include "main_window_tests.moc"
