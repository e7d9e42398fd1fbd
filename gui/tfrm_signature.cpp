// TfrmSignature: controls, handlers and the live preview.
#include "tfrm_signature.h"

#include <QApplication>
#include <QFontDialog>
#include <QFrame>
#include <QPixmap>
#include <algorithm>
#include <climits>

#include "app/signature_state.h"
#include "base/error.h"
#include "color_combo_box.h"
#include "platform/cp1252.h"
#include "platform/system_colors.h"
#include "qt_image.h"
#include "signature/signature.h"
#include "signature/signature_variables.h"
#include "titled_panel.h"

namespace lumabord {
namespace {

constexpr int kPreviewWidth = 547;
constexpr int kPreviewHeight = 117;
constexpr ColorValue kWindowColor = 0x80000005;
// The boxes of the fill kind not chosen. The dialog was drawn for a system table whose colour
// 19 was light grey; today's is black, which hides the box's text, so the button face is used.
constexpr ColorValue kDisabledBoxColor = 0x8000000F;

std::optional<FontRecord> askQtFont(const FontRecord& start) {
  QFont font(QString::fromStdString(start.name));
  font.setPointSize(std::max(1, start.size));
  font.setBold(start.bold());
  font.setItalic(start.italic());
  font.setUnderline(start.underline());
  font.setStrikeOut(start.strikeOut());
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font, nullptr);
  if (!ok) return std::nullopt;
  FontRecord record = start;
  record.name = chosen.family().toStdString();
  record.setSize(std::max(1, chosen.pointSize()));
  record.style = static_cast<uint8_t>(
      (chosen.bold() ? kFontBold : 0) | (chosen.italic() ? kFontItalic : 0) |
      (chosen.underline() ? kFontUnderline : 0) | (chosen.strikeOut() ? kFontStrikeOut : 0));
  return record;
}

QLabel* caption(const QString& text, QWidget* parent, int x, int y, int w = 80) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, y + 3, w, 16);
  return label;
}

QComboBox* list(const char* name, const QStringList& items, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->addItems(items);
  return box;
}

QSpinBox* field(const char* name, int low, int high, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(low, high);
  return box;
}

QRadioButton* option(const char* name, const QString& text, QWidget* parent) {
  auto* button = new QRadioButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  // Each button is stored on its own and a stored pair may have neither set: the dialog
  // keeps each pair exclusive itself (checkPair).
  button->setAutoExclusive(false);
  return button;
}

QFrame* box(QWidget* parent, int x, int y, int w, int h) {
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setGeometry(x, y, w, h);
  return frame;
}

void setBase(QWidget* widget, ColorValue color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, toQColor(color));
  palette.setColor(QPalette::Button, toQColor(color));
  widget->setPalette(palette);
}

}  // namespace

TfrmSignature::TfrmSignature(SignatureDialogContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
  // FormCreate.
  SettingsReady = false;
  setObjectName(QStringLiteral("frmSignature"));
  setWindowTitle(QStringLiteral("Signature Tool"));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(557, 447);
  if (!context_.askFont) context_.askFont = askQtFont;
  label_.transparent = true;
  label_.alignment = TAlignment::taCenter;
  createWidgets();
  // The texture list is the outer matte's, its first item selected.
  for (const std::string& entry : context_.outerTextures.entries) {
    cboTexture_->addItem(QString::fromStdString(entry));
  }
  cboTexture_->setCurrentIndex(cboTexture_->count() > 0 ? 0 : -1);
  LoadSignatureSettings(lumabord::LoadSignatureSettings());
  ApplyToFont3D(design(), label_.Font3D());
  backdrop_ = Image(kPreviewWidth, kPreviewHeight);
  cboDrawClick();
  createConnections();
}

TfrmSignature::~TfrmSignature() = default;

void TfrmSignature::createWidgets() {
  auto* panel = new TitledPanel(QStringLiteral("boxText"), QStringLiteral("Text Options"), this);
  panel->setGeometry(5, 5, 547, 290);
  QWidget* body = panel->body();
  body->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

  rdoGradient_ = option("rdoGradient", QStringLiteral("Gradient Text"), body);
  rdoGradient_->setGeometry(10, 4, 120, 20);
  QFrame* gradientBox = box(body, 10, 26, 255, 82);
  caption(QStringLiteral("Brush Style:"), gradientBox, 8, 4);
  rdoVertical_ = option("rdoVertical", QStringLiteral("Vertical"), gradientBox);
  rdoVertical_->setGeometry(92, 6, 70, 20);
  rdoHorizontal_ = option("rdoHorizontal", QStringLiteral("Horizontal"), gradientBox);
  rdoHorizontal_->setGeometry(166, 6, 80, 20);
  caption(QStringLiteral("Begin Color:"), gradientBox, 8, 30);
  cboBeginColor_ = new ColorComboBox(QStringLiteral("cboBeginColor"), gradientBox);
  cboBeginColor_->setGeometry(92, 30, 150, 22);
  caption(QStringLiteral("End Color:"), gradientBox, 8, 56);
  cboEndColor_ = new ColorComboBox(QStringLiteral("cboEndColor"), gradientBox);
  cboEndColor_->setGeometry(92, 56, 150, 22);

  rdoSolid_ = option("rdoSolid", QStringLiteral("Solid Text"), body);
  rdoSolid_->setGeometry(276, 4, 120, 20);
  QFrame* solidBox = box(body, 276, 26, 255, 82);
  caption(QStringLiteral("Color:"), solidBox, 8, 12);
  cboSolid_ = new ColorComboBox(QStringLiteral("cboSolid"), solidBox);
  cboSolid_->setGeometry(64, 12, 150, 22);
  rdoUseColor_ = option("rdoUseColor", QString(), solidBox);
  rdoUseColor_->setGeometry(224, 14, 20, 20);
  caption(QStringLiteral("Texture:"), solidBox, 8, 46);
  cboTexture_ = new QComboBox(solidBox);
  cboTexture_->setObjectName(QStringLiteral("cboTexture"));
  cboTexture_->setGeometry(64, 46, 150, 22);
  rdoUseTexture_ = option("rdoUseTexture", QString(), solidBox);
  rdoUseTexture_->setGeometry(224, 48, 20, 20);

  // Left column.
  const int left = 10, leftField = 100, right = 276, rightField = 366, top = 114, step = 25;
  caption(QStringLiteral("Text Effect:"), body, left, top);
  cboTextEffect_ = list("cboTextEffect", {"Flying", "Raised", "Lowered"}, body);
  cboTextEffect_->setGeometry(leftField, top, 150, 22);
  caption(QStringLiteral("Shadow Style:"), body, left, top + step);
  cboShadowStyle_ = list("cboShadowStyle", {"Sharp", "Diffuse", "None"}, body);
  cboShadowStyle_->setGeometry(leftField, top + step, 150, 22);
  caption(QStringLiteral("Border Color:"), body, left, top + 2 * step);
  cboBorderColor_ = new ColorComboBox(QStringLiteral("cboBorderColor"), body);
  cboBorderColor_->setGeometry(leftField, top + 2 * step, 150, 22);
  caption(QStringLiteral("Shadow View:"), body, left, top + 3 * step);
  txtView_ = field("txtView", INT_MIN, kSigViewMax, body);
  txtView_->setGeometry(leftField, top + 3 * step, 60, 22);
  caption(QString::fromUtf8("\xC2\xB0 ( 0 to 360)"), body, leftField + 64, top + 3 * step, 90);
  caption(QStringLiteral("Border Size:"), body, left, top + 4 * step);
  txtBorder_ = field("txtBorder", 0, kSigBorderMax, body);
  txtBorder_->setGeometry(leftField, top + 4 * step, 60, 22);
  caption(QStringLiteral("( 0 to 5)"), body, leftField + 64, top + 4 * step);

  // Right column.
  caption(QStringLiteral("Draw on:"), body, right, top);
  cboDraw_ = list("cboDraw", {"Outer Matte", "Picture"}, body);
  cboDraw_->setGeometry(rightField, top, 150, 22);
  caption(QStringLiteral("Align Text:"), body, right, top + step);
  cboAlignText_ =
      list("cboAlignText",
           {"Top-Left", "Top-Center", "Top-Right", "Bottom-Left", "Bottom-Center", "Bottom-Right"},
           body);
  cboAlignText_->setGeometry(rightField, top + step, 150, 22);
  caption(QStringLiteral("Letter Gap:"), body, right, top + 2 * step);
  txtSpace_ = field("txtSpace", -kSigSpaceMax, kSigSpaceMax, body);
  txtSpace_->setGeometry(rightField, top + 2 * step, 60, 22);
  caption(QStringLiteral("Shadow Height:"), body, right, top + 3 * step, 86);
  txtAltitude_ = field("txtAltitude", 0, kSigAltitudeMax, body);
  txtAltitude_->setGeometry(rightField, top + 3 * step, 60, 22);
  caption(QStringLiteral("( 0 to 10)"), body, rightField + 64, top + 3 * step);
  chkAnti_ = new QCheckBox(QStringLiteral("Antialias"), body);
  chkAnti_->setObjectName(QStringLiteral("chkAnti"));
  chkAnti_->setGeometry(right, top + 4 * step, 80, 22);
  cmdFont_ = new QPushButton(QStringLiteral("&Font..."), body);
  cmdFont_->setObjectName(QStringLiteral("cmdFont"));
  cmdFont_->setGeometry(rightField, top + 4 * step, 75, 24);

  caption(QStringLiteral("Signature:"), body, left, top + 5 * step + 6);
  txtSig_ = new QLineEdit(body);
  txtSig_->setObjectName(QStringLiteral("txtSig"));
  txtSig_->setToolTip(QStringLiteral(
      "Filled from each photo: {year}, {date}, {artist}, {copyright}, {camera}, {file}; "
      "{{ writes {"));
  txtSig_->setGeometry(leftField, top + 5 * step + 6, 380, 22);
  Button1_ = new QPushButton(QString::fromUtf8("\xC2\xA9"), body);
  Button1_->setObjectName(QStringLiteral("Button1"));
  Button1_->setGeometry(leftField + 388, top + 5 * step + 5, 28, 24);

  imgPreview_ = new QLabel(this);
  imgPreview_->setObjectName(QStringLiteral("imgPreview"));
  imgPreview_->setGeometry(5, 299, kPreviewWidth, kPreviewHeight);
  imgPreview_->setAutoFillBackground(true);
  QPalette white = imgPreview_->palette();
  white.setColor(QPalette::Window, Qt::white);
  imgPreview_->setPalette(white);

  cmdOK_ = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setDefault(true);
  cmdOK_->setGeometry(389, 419, 75, 25);
  cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel_->setGeometry(472, 419, 75, 25);

  for (ColorComboBox* colors : {cboBeginColor_, cboEndColor_, cboSolid_, cboBorderColor_}) {
    colors->setColorAsker(context_.askColor);
  }
}

void TfrmSignature::createConnections() {
  const auto update = [this] { UpdateSignaturePreview(); };
  const auto fillKind = [this](QRadioButton* button, QRadioButton* partner) {
    checkPair(button, partner);
    if (!SettingsReady) return;
    EnableFillControls(rdoGradient_->isChecked());
    UpdateSignaturePreview();
  };
  connect(rdoGradient_, &QRadioButton::clicked, this,
          [=, this] { fillKind(rdoGradient_, rdoSolid_); });
  connect(rdoSolid_, &QRadioButton::clicked, this,
          [=, this] { fillKind(rdoSolid_, rdoGradient_); });
  connect(cboSolid_, &ColorComboBox::colorChosen, this, [this] {
    if (!SettingsReady) return;
    checkPair(rdoUseColor_, rdoUseTexture_);
    UpdateSignaturePreview();
  });
  connect(cboTexture_, &QComboBox::activated, this, [this] {
    if (!SettingsReady) return;
    checkPair(rdoUseTexture_, rdoUseColor_);
    UpdateSignaturePreview();
  });
  const std::pair<QRadioButton*, QRadioButton*> pairs[] = {{rdoUseColor_, rdoUseTexture_},
                                                           {rdoUseTexture_, rdoUseColor_},
                                                           {rdoVertical_, rdoHorizontal_},
                                                           {rdoHorizontal_, rdoVertical_}};
  for (const auto& pair : pairs) {
    QRadioButton* button = pair.first;
    QRadioButton* partner = pair.second;
    connect(button, &QRadioButton::clicked, this, [=, this] {
      checkPair(button, partner);
      update();
    });
  }
  connect(cboDraw_, &QComboBox::activated, this, &TfrmSignature::cboDrawClick);
  connect(cboAlignText_, &QComboBox::activated, this, [this] {
    cboDrawClick();
    UpdateSignaturePreview();
  });
  connect(Button1_, &QPushButton::clicked, this, &TfrmSignature::Button1Click);
  connect(cmdFont_, &QPushButton::clicked, this, &TfrmSignature::cmdFontClick);
  connect(txtSig_, &QLineEdit::textChanged, this, update);
  connect(chkAnti_, &QCheckBox::clicked, this, update);
  for (ColorComboBox* colors : {cboBeginColor_, cboEndColor_, cboBorderColor_}) {
    connect(colors, &ColorComboBox::colorChosen, this, update);
  }
  for (QComboBox* choice : {cboTextEffect_, cboShadowStyle_}) {
    connect(choice, &QComboBox::activated, this, update);
  }
  for (QSpinBox* number : {txtView_, txtBorder_, txtSpace_, txtAltitude_}) {
    connect(number, &QSpinBox::valueChanged, this, update);
  }
  connect(cmdOK_, &QPushButton::clicked, this, &TfrmSignature::cmdOKClick);
  connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSignature::checkPair(QRadioButton* button, QRadioButton* partner) {
  button->setChecked(true);
  partner->setChecked(false);
}

void TfrmSignature::LoadSignatureSettings(const SignatureSettings& s) {
  SettingsReady = false;
  label_.font = s.font;
  rdoGradient_->setChecked(s.rdoGradient);
  rdoSolid_->setChecked(s.rdoSolid);
  rdoVertical_->setChecked(s.rdoVertical);
  rdoHorizontal_->setChecked(s.rdoHorizontal);
  cboBeginColor_->setColorValue(s.cboBeginColor);
  cboEndColor_->setColorValue(s.cboEndColor);
  cboTextEffect_->setCurrentIndex(s.cboTextEffect >= 0 && s.cboTextEffect < 3 ? s.cboTextEffect
                                                                              : -1);
  cboShadowStyle_->setCurrentIndex(s.cboShadowStyle >= 0 && s.cboShadowStyle < 3 ? s.cboShadowStyle
                                                                                 : -1);
  cboBorderColor_->setColorValue(s.cboBorderColor);
  txtView_->setValue(s.txtView);
  txtBorder_->setValue(s.txtBorder);
  txtSig_->setText(QString::fromStdString(s.txtSig));
  cboSolid_->setColorValue(s.cboSolid);
  rdoUseColor_->setChecked(s.rdoUseColor);
  rdoUseTexture_->setChecked(s.rdoUseTexture);
  // An index past the list selects nothing: no texture.
  cboTexture_->setCurrentIndex(
      s.cboTexture >= 0 && s.cboTexture < cboTexture_->count() ? s.cboTexture : -1);
  cboDraw_->setCurrentIndex(s.cboDraw);
  cboAlignText_->setCurrentIndex(s.cboAlignText);
  txtSpace_->setValue(s.txtSpace);
  txtAltitude_->setValue(s.txtAltitude);
  chkAnti_->setChecked(s.chkAnti);
}

SignatureSettings TfrmSignature::design() const {
  SignatureSettings s;
  s.font = label_.font;
  s.rdoGradient = rdoGradient_->isChecked();
  s.rdoSolid = rdoSolid_->isChecked();
  s.rdoVertical = rdoVertical_->isChecked();
  s.rdoHorizontal = rdoHorizontal_->isChecked();
  s.cboBeginColor = cboBeginColor_->colorValue();
  s.cboEndColor = cboEndColor_->colorValue();
  s.cboTextEffect = cboTextEffect_->currentIndex();
  s.cboShadowStyle = cboShadowStyle_->currentIndex();
  s.cboBorderColor = cboBorderColor_->colorValue();
  s.txtView = txtView_->value();
  s.txtBorder = txtBorder_->value();
  s.txtSig = txtSig_->text().toStdString();
  s.cboSolid = cboSolid_->colorValue();
  s.rdoUseColor = rdoUseColor_->isChecked();
  s.rdoUseTexture = rdoUseTexture_->isChecked();
  s.cboTexture = cboTexture_->currentIndex();
  s.cboDraw = cboDraw_->currentIndex();
  s.cboAlignText = cboAlignText_->currentIndex();
  s.txtSpace = txtSpace_->value();
  s.txtAltitude = txtAltitude_->value();
  s.chkAnti = chkAnti_->isChecked();
  return s;
}

void TfrmSignature::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TfrmSignature::FormActivate() {
  if (SettingsReady) return;
  EnableFillControls(rdoGradient_->isChecked());
  SettingsReady = true;
  ApplyToFont3D(design(), label_.Font3D());
  PreviewReady = true;
  UpdateSignaturePreview();
}

void TfrmSignature::cmdOKClick() {
  SaveSignatureSettings(design());
  accept();
}

void TfrmSignature::cmdFontClick() {
  const QString remembered = windowTitle();
  const std::optional<FontRecord> chosen = context_.askFont(label_.font);
  if (!chosen) return;
  setWindowTitle(QStringLiteral("Creating New Font...please wait"));
  QCoreApplication::processEvents();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  label_.font = *chosen;
  UpdateSignaturePreview();
  setWindowTitle(remembered);
  QApplication::restoreOverrideCursor();
}

void TfrmSignature::Button1Click() {
  // At the end of the text, wherever the caret is.
  txtSig_->setText(txtSig_->text() + QString::fromUtf8("\xC2\xA9"));
}

void TfrmSignature::EnableFillControls(bool gradient) {
  for (QWidget* w : std::initializer_list<QWidget*>{cboBeginColor_, cboEndColor_, rdoVertical_,
                                                    rdoHorizontal_}) {
    w->setEnabled(gradient);
  }
  for (QWidget* w :
       std::initializer_list<QWidget*>{rdoUseColor_, rdoUseTexture_, cboSolid_, cboTexture_}) {
    w->setEnabled(!gradient);
  }
  setBase(cboBeginColor_, gradient ? kWindowColor : kDisabledBoxColor);
  setBase(cboEndColor_, gradient ? kWindowColor : kDisabledBoxColor);
  setBase(cboSolid_, gradient ? kDisabledBoxColor : kWindowColor);
  setBase(cboTexture_, gradient ? kDisabledBoxColor : kWindowColor);
}

void TfrmSignature::cboDrawClick() {
  const bool onMatte = cboDraw_->currentIndex() == 0;
  Image outerTexture;
  if (onMatte && !context_.outerUsesColor) {
    outerTexture = LoadSignatureTexture(context_.appPath, context_.outerTextures.text());
  }
  BackdropSources sources;
  sources.outerTexture = &outerTexture;
  sources.outerColour = colorToRgb(context_.outerColor);
  sources.photo = context_.workPhoto;
  // The bitmap is as large as the preview image, so tiled and centred show it alike.
  MakeSignatureBackdrop(backdrop_, onMatte, cboAlignText_->currentIndex(), context_.outerUsesColor,
                        sources);
  UpdateSignaturePreview();
}

void TfrmSignature::UpdateSignaturePreview() {
  if (!SettingsReady || !PreviewReady) return;
  const SignatureSettings s = design();
  TFont3D& font3d = label_.Font3D();
  ApplyToFont3D(s, font3d);
  if (s.rdoUseTexture && s.rdoSolid) {
    font3d.setBitmap(
        LoadSignatureTexture(context_.appPath, cboTexture_->currentText().toStdString()));
  } else {
    font3d.setBitmap(Image());
  }
  // The variables show the working photo's values, as the preview of the main window does.
  label_.caption =
      utf8ToCp1252(expandSignatureText(s.txtSig, signatureValues(context_.photoFacts)));
  SmoothText3D& renderer = smoothText3D();
  // Auto-size gives the 3D text's height h; the label then spans the image's width.
  label_.setAutoSize(true);
  label_.adjustBounds(renderer);
  const int h = label_.bounds.height;
  label_.setAutoSize(false);
  const int wi = kPreviewWidth, hi = kPreviewHeight;
  label_.bounds.width = wi;
  const int align = std::clamp(s.cboAlignText, 0, 5);
  static constexpr TAlignment kAlignments[3] = {TAlignment::taLeftJustify, TAlignment::taCenter,
                                                TAlignment::taRightJustify};
  label_.alignment = kAlignments[align % 3];
  label_.bounds.left = align % 3 == 0   ? 0
                       : align % 3 == 1 ? (wi - label_.bounds.width) / 2
                                        : wi - label_.bounds.width;
  label_.bounds.top = align < 3 ? 0 : hi - 2 * h;
  label_.bounds.height = hi;

  // The label paints onto its own surface, which holds what the image shows below it.
  preview_ = backdrop_.clone();
  Image surface(label_.bounds.width, label_.bounds.height, Rgb{255, 255, 255});
  const int x0 = std::max(0, label_.bounds.left), y0 = std::max(0, label_.bounds.top);
  const int x1 = std::min(wi, label_.bounds.left + label_.bounds.width);
  const int y1 = std::min(hi, label_.bounds.top + label_.bounds.height);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      surface.setPixel(x - label_.bounds.left, y - label_.bounds.top, preview_.pixel(x, y));
    }
  }
  try {
    label_.paint(surface, renderer);
  } catch (const Error&) {
    // The preview stays as it was; the same failure shows when the signature is drawn.
    return;
  }
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      preview_.setPixel(x, y, surface.pixel(x - label_.bounds.left, y - label_.bounds.top));
    }
  }
  imgPreview_->setPixmap(QPixmap::fromImage(toQImage(preview_)));
}

}  // namespace lumabord
