// TfrmSignature: the "Signature Tool" dialog, in which the signature is designed against a
// live preview on the outer matte or the photo. OK stores the design; the main window then
// takes it over (design() and texture()).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "base/image.h"
#include "codecs/photo_facts.h"
#include "compose/design_controls.h"
#include "signature/signature_settings.h"
#include "signature/smooth_label3d.h"

namespace lumabord {

class ColorComboBox;

// What the dialog takes from the main window.
struct SignatureDialogContext {
  std::filesystem::path appPath;
  ChoiceList outerTextures;          // cboOuterMatteTexture: entries and selection
  ColorValue outerColor = kClWhite;  // cboOuterMatteColor
  bool outerUsesColor = false;       // rdoOuterMatte2 not checked
  const Image* workPhoto = nullptr;
  PhotoFacts photoFacts;  // WorkPhoto's, for the text's variables
  // The colour dialog; nullopt when cancelled.
  std::function<std::optional<ColorValue>(ColorValue)> askColor;
  // The font dialog starting at a font; nullopt when cancelled (default: the Qt dialog).
  std::function<std::optional<FontRecord>(const FontRecord&)> askFont;
};

class TfrmSignature : public QDialog {
  Q_OBJECT
 public:
  // Fills the controls from the stored design (LoadSignatureSettings) and builds the preview
  // background; the first activation draws the first preview.
  explicit TfrmSignature(SignatureDialogContext context, QWidget* parent = nullptr);
  ~TfrmSignature() override;

  // The design as the controls hold it.
  [[nodiscard]] SignatureSettings design() const;
  // The texture the preview loaded last (empty: none).
  [[nodiscard]] const Image& texture() { return label_.Font3D().bitmap(); }
  // The preview as shown: the background with the label's 3D text.
  [[nodiscard]] const Image& previewImage() const { return preview_; }

  // The first activation's work, for callers that never show the dialog (start-up).
  void FormActivate();
  // Handlers with work of their own, public for the tests.
  void cmdOKClick();
  void cmdFontClick();
  void Button1Click();  // "©"
  void UpdateSignaturePreview();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void createWidgets();
  void createConnections();
  void LoadSignatureSettings(const SignatureSettings& settings);
  void EnableFillControls(bool gradient);
  void cboDrawClick();
  void checkPair(QRadioButton* button, QRadioButton* partner);

  SignatureDialogContext context_;
  bool SettingsReady = false;
  bool PreviewReady = false;
  TSmoothLabel3D label_;  // SmoothLabel3D1: the design and the preview's lettering
  Image backdrop_;        // what the preview image shows behind the label
  Image preview_;

  QRadioButton* rdoGradient_ = nullptr;
  QRadioButton* rdoSolid_ = nullptr;
  QRadioButton* rdoVertical_ = nullptr;
  QRadioButton* rdoHorizontal_ = nullptr;
  ColorComboBox* cboBeginColor_ = nullptr;
  ColorComboBox* cboEndColor_ = nullptr;
  ColorComboBox* cboSolid_ = nullptr;
  QRadioButton* rdoUseColor_ = nullptr;
  QComboBox* cboTexture_ = nullptr;
  QRadioButton* rdoUseTexture_ = nullptr;
  QComboBox* cboTextEffect_ = nullptr;
  QComboBox* cboShadowStyle_ = nullptr;
  ColorComboBox* cboBorderColor_ = nullptr;
  QSpinBox* txtView_ = nullptr;
  QSpinBox* txtBorder_ = nullptr;
  QComboBox* cboDraw_ = nullptr;
  QComboBox* cboAlignText_ = nullptr;
  QSpinBox* txtSpace_ = nullptr;
  QSpinBox* txtAltitude_ = nullptr;
  QCheckBox* chkAnti_ = nullptr;
  QPushButton* cmdFont_ = nullptr;
  QLineEdit* txtSig_ = nullptr;
  QPushButton* Button1_ = nullptr;
  QLabel* imgPreview_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

}  // namespace lumabord
