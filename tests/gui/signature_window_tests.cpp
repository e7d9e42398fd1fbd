// The signature dialog over the main window: the stored design in its controls, the fill
// controls and option pairs, "©", the preview's texture rule, and what Cancel and OK change.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include "app/quick_reg.h"
#include "codecs/image_writers.h"
#include "color_combo_box.h"
#include "tfrm_signature.h"
#include "window_fixture.h"

namespace lumabord::testing {

class SignatureWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowRig> rig_;
  std::unique_ptr<TfrmSignature> dialog_;

  WindowRig& rig() { return *rig_; }
  template <typename T>
  T* control(const char* name) {
    T* found = dialog_->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no control %s", name);
    return found;
  }
  static std::optional<std::string> storedText() {
    std::string text;
    if (!RegReadString(std::string(kSettingsKey) + "Signature Text", text)) return std::nullopt;
    return text;
  }

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    std::filesystem::create_directories(rig().dir / "Image Textures");
    WriteBmpFile(rig().dir / "Image Textures" / "linen.bmp", Image(4, 4, Rgb{200, 190, 180}));
    rig().writeStyle("Classic", 40, 12);
    rig().touch("Image Masks/Flat.bmp");
    rig().open();
    SignatureDialogContext context;
    context.appPath = rig().model().AppPath;
    context.outerTextures = rig().model().controls.cboOuterMatteTexture;
    context.workPhoto = &rig().model().WorkPhoto;
    dialog_ = std::make_unique<TfrmSignature>(std::move(context));
    dialog_->show();
  }
  void cleanup() {
    dialog_.reset();
    rig_.reset();
  }

  void theStoredDesignAndTheFillControls() {
    QCOMPARE(dialog_->windowTitle(), QString("Signature Tool"));
    QCOMPARE(dialog_->size(), QSize(557, 447));
    QVERIFY(control<QRadioButton>("rdoGradient")->isChecked());
    QCOMPARE(control<QComboBox>("cboTextEffect")->currentText(), QString("Raised"));
    QCOMPARE(control<QComboBox>("cboShadowStyle")->currentText(), QString("Diffuse"));
    QCOMPARE(control<QComboBox>("cboAlignText")->currentText(), QString("Bottom-Center"));
    QCOMPARE(control<QLineEdit>("txtSig")->text(), QString::fromUtf8("\xC2\xA9 2003 Your Name"));
    // The fields keep their bounds: border and shadow height 0 to 5 and 0 to 10.
    QCOMPARE(control<QSpinBox>("txtBorder")->minimum(), 0);
    QCOMPARE(control<QSpinBox>("txtAltitude")->maximum(), 10);
    QCOMPARE(control<QSpinBox>("txtView")->maximum(), 360);
    // Gradient: its controls on, the solid box's off; "Solid Text" turns them round.
    QVERIFY(control<ColorComboBox>("cboBeginColor")->isEnabled());
    QVERIFY(!control<ColorComboBox>("cboSolid")->isEnabled());
    QVERIFY(!control<QComboBox>("cboTexture")->isEnabled());
    control<QRadioButton>("rdoSolid")->click();
    QVERIFY(!control<QRadioButton>("rdoGradient")->isChecked());
    QVERIFY(!control<ColorComboBox>("cboBeginColor")->isEnabled());
    QVERIFY(!control<QRadioButton>("rdoVertical")->isEnabled());
    QVERIFY(control<ColorComboBox>("cboSolid")->isEnabled());
    QVERIFY(control<QRadioButton>("rdoUseTexture")->isEnabled());
    QVERIFY(!dialog_->previewImage().empty());
  }

  void choicesCheckTheirButtonsAndATextureNeedsSolidText() {
    emit control<ColorComboBox>("cboSolid")->activated(2);
    QVERIFY(control<QRadioButton>("rdoUseColor")->isChecked());
    emit control<QComboBox>("cboTexture")->activated(0);
    QVERIFY(control<QRadioButton>("rdoUseTexture")->isChecked());
    QVERIFY(!control<QRadioButton>("rdoUseColor")->isChecked());
    QVERIFY2(control<QRadioButton>("rdoGradient")->isChecked(), "the fill kind stays");
    QVERIFY2(dialog_->texture().empty(), "a texture under Gradient Text is ignored");
    control<QRadioButton>("rdoSolid")->click();
    QCOMPARE(dialog_->texture().pixel(3, 3), (Rgb{200, 190, 180}));
    QCOMPARE(dialog_->design().cboTexture, 0);
  }

  void theCopyrightButtonAppendsAtTheEnd() {
    QLineEdit* text = control<QLineEdit>("txtSig");
    text->setText(QStringLiteral("Ann"));
    text->setCursorPosition(0);
    control<QPushButton>("Button1")->click();
    QCOMPARE(text->text(), QString::fromUtf8("Ann\xC2\xA9"));
    QCOMPARE(dialog_->design().txtSig, std::string("Ann\xC2\xA9"));
  }

  void cancelChangesNothingAndOkStoresAndShowsTheSignature() {
    dialog_.reset();
    TfrmMain& window = rig().window();
    window.show();
    window.FormActivate();
    QCOMPARE(window.renderCount(), 1);
    QAction* maker = window.findChild<QAction*>("SignatureMaker1");
    QVERIFY(maker->isEnabled());
    QCOMPARE(maker->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    QVERIFY(rig().child<QPushButton>("cmdSignature")->isEnabled());

    answerNextModal([](QWidget* modal) {
      modal->findChild<QLineEdit*>("txtSig")->setText(QStringLiteral("Never"));
      modal->findChild<QPushButton*>("cmdCancel")->click();
    });
    maker->trigger();
    QVERIFY(!rig().child<QCheckBox>("chkSignature")->isChecked());
    QCOMPARE(window.renderCount(), 1);
    QVERIFY(!storedText());

    answerNextModal([](QWidget* modal) {
      modal->findChild<QLineEdit*>("txtSig")->setText(QStringLiteral("Bo"));
      modal->findChild<QComboBox*>("cboDraw")->setCurrentIndex(1);
      modal->findChild<QComboBox*>("cboAlignText")->setCurrentIndex(0);
      modal->findChild<QPushButton*>("cmdOK")->click();
    });
    rig().child<QPushButton>("cmdSignature")->click();
    QVERIFY(rig().child<QCheckBox>("chkSignature")->isChecked());
    QCOMPARE(window.renderCount(), 2);
    QVERIFY(rig().renderer.lastSpec.SignatureOn);
    QCOMPARE(rig().renderer.lastSpec.SigDrawOn, 1);
    QCOMPARE(rig().renderer.lastSpec.SigAlign, 0);
    QCOMPARE(storedText().value_or(""), std::string("Bo"));
  }
};

int runSignatureWindowTests(int argc, char** argv) {
  SignatureWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lumabord::testing

#include "signature_window_tests.moc"
