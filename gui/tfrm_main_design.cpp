// TfrmMain: the design widgets bound to DesignControls and the handlers that re-render.
#include <QApplication>
#include <QKeyEvent>
#include <cmath>

#include "base/error.h"
#include "busy_cursor.h"
#include "clickable_label.h"
#include "color_combo_box.h"
#include "compose/style_file.h"
#include "integer_field.h"
#include "preview_view.h"
#include "qt_image.h"
#include "screen_color_picker.h"
#include "tfrm_main.h"
#include "window_colors.h"

namespace lumabord {
namespace {

void showChoice(QComboBox* box, const ChoiceList& list) {
  bool same = box->count() == static_cast<int>(list.entries.size());
  for (int i = 0; same && i < box->count(); ++i) {
    same = box->itemText(i).toStdString() == list.entries[static_cast<size_t>(i)];
  }
  if (!same) {
    box->clear();
    for (const std::string& entry : list.entries) box->addItem(QString::fromStdString(entry));
  }
  box->setCurrentIndex(list.selected < box->count() ? list.selected : -1);
}

void showOption(QRadioButton* colour, QRadioButton* texture, bool useTexture) {
  (useTexture ? texture : colour)->setChecked(true);
}

bool isModifierOrTab(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
      return true;
    default:
      return false;
  }
}

}  // namespace

void TfrmMain::showDesign() {
  showChoice(cboFrame_, design_.cboFrame);
  showChoice(cboFrameMask_, design_.cboFrameMask);
  showChoice(cboShadow_, design_.cboShadow);
  showChoice(cboFrameTexture_, design_.cboFrameTexture);
  showChoice(cboOuterMatteTexture_, design_.cboOuterMatteTexture);
  showChoice(cboInnerTexture_, design_.cboInnerTexture);
  cboFrameColor_->setColorValue(design_.cboFrameColor);
  cboOuterMatteColor_->setColorValue(design_.cboOuterMatteColor);
  cboInnerColor_->setColorValue(design_.cboInnerColor);
  showOption(rdoFrame1_, rdoFrame2_, design_.rdoFrame2);
  showOption(rdoOuterMatte1_, rdoOuterMatte2_, design_.rdoOuterMatte2);
  showOption(rdoInnerMatte1_, rdoInnerMatte2_, design_.rdoInnerMatte2);
  txtLeft_->setValue(design_.txtLeft);
  txtTop_->setValue(design_.txtTop);
  txtRight_->setValue(design_.txtRight);
  txtBottom_->setValue(design_.txtBottom);
  txtInnerWidth_->setValue(design_.txtInnerWidth);
  chkShadowOuter_->setChecked(design_.chkShadowOuter);
  chkSignature_->setChecked(design_.chkSignature);
  txtWidth_->setValue(design_.txtWidth);
  txtHeight_->setValue(design_.txtHeight);
}

void TfrmMain::readDesign() {
  design_.cboFrame.selected = cboFrame_->currentIndex();
  design_.cboFrameMask.selected = cboFrameMask_->currentIndex();
  design_.cboShadow.selected = cboShadow_->currentIndex();
  design_.cboFrameTexture.selected = cboFrameTexture_->currentIndex();
  design_.cboOuterMatteTexture.selected = cboOuterMatteTexture_->currentIndex();
  design_.cboInnerTexture.selected = cboInnerTexture_->currentIndex();
  design_.cboFrameColor = cboFrameColor_->colorValue();
  design_.cboOuterMatteColor = cboOuterMatteColor_->colorValue();
  design_.cboInnerColor = cboInnerColor_->colorValue();
  design_.rdoFrame2 = rdoFrame2_->isChecked();
  design_.rdoOuterMatte2 = rdoOuterMatte2_->isChecked();
  design_.rdoInnerMatte2 = rdoInnerMatte2_->isChecked();
  design_.txtLeft = txtLeft_->value();
  design_.txtTop = txtTop_->value();
  design_.txtRight = txtRight_->value();
  design_.txtBottom = txtBottom_->value();
  design_.txtInnerWidth = txtInnerWidth_->value();
  design_.chkShadowOuter = chkShadowOuter_->isChecked();
  design_.chkSignature = chkSignature_->isChecked();
  design_.txtWidth = txtWidth_->value();
  design_.txtHeight = txtHeight_->value();
}

const DesignControls& TfrmMain::design() {
  readDesign();
  return design_;
}

void TfrmMain::setPreviewBackground(ColorValue color) {
  settings_.BackgroundColor = color;
  imgPreview_->setBackground(toQColor(color));
  QPalette pal = panPreview_->palette();
  pal.setColor(QPalette::Window, toQColor(color));
  panPreview_->setPalette(pal);
}

void TfrmMain::designChoiceMade(QObject* sender) {
  if (!Activated_) return;
  const QString name = sender->objectName();
  if (name == QLatin1String("cboFrameTexture")) rdoFrame2_->setChecked(true);
  if (name == QLatin1String("cboOuterMatteTexture")) rdoOuterMatte2_->setChecked(true);
  if (name == QLatin1String("cboInnerTexture")) rdoInnerMatte2_->setChecked(true);
  if (name == QLatin1String("cboFrameColor")) rdoFrame1_->setChecked(true);
  if (name == QLatin1String("cboOuterMatteColor")) rdoOuterMatte1_->setChecked(true);
  if (name == QLatin1String("cboInnerColor")) rdoInnerMatte1_->setChecked(true);
  RefreshPreview();
}

void TfrmMain::cboFrameChange() {
  if (!Activated_) return;
  readDesign();
  try {
    ReadStyle(design_, AppPath_);
  } catch (const Error& e) {
    // The keys read before the bad one took effect; show them, but do not render.
    showDesign();
    services_.dialogs->error(e.what());
    return;
  }
  showDesign();
  RefreshPreview();
}

void TfrmMain::marginKeyReleased(int key) {
  // Tab arrives here as the release of the key that moved the focus in; modifiers are
  // released while tabbing backwards. Neither edits the width.
  if (!isModifierOrTab(key)) MarginEdited_ = true;
}

void TfrmMain::marginLeft() {
  if (!Activated_ || !MarginEdited_) return;
  MarginEdited_ = false;
  RefreshPreview();
}

void TfrmMain::txtInnerWidthKeyUp() { RefreshPreview(); }

void TfrmMain::checkBoxClicked() {
  if (Activated_) RefreshPreview();
}

void TfrmMain::startPicking(int target) {
  PickTarget_ = target;
  if (target == 1) rdoFrame1_->setChecked(true);
  if (target == 2) rdoOuterMatte1_->setChecked(true);
  if (target == 3) rdoInnerMatte1_->setChecked(true);
  picker_->start();
  // The window sees Esc before its controls while picking.
  qApp->installEventFilter(this);
}

void TfrmMain::colorSampled(Rgb color) {
  ColorComboBox* targets[] = {cboFrameColor_, cboOuterMatteColor_, cboInnerColor_};
  if (PickTarget_ >= 1 && PickTarget_ <= 3) targets[PickTarget_ - 1]->setColorValue(rgbToColor(color));
}

void TfrmMain::endPicking() {
  picker_->stop();
  qApp->removeEventFilter(this);
  RefreshPreview();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && picking()) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() == Qt::Key_Escape && widget != nullptr && widget->window() == this) {
      endPicking();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::BackgroundColor1Click() {
  const std::optional<ColorValue> chosen = services_.dialogs->askColor(settings_.BackgroundColor);
  if (!chosen) return;
  settings_.BackgroundColor = *chosen;
  imgPreview_->setBackground(toQColor(*chosen));
  {
    const BusyCursor busy;
    // The renderer blends the drop shadow with the background; without one nothing changes.
    if (cboShadow_->currentIndex() > 0) RefreshPreview();
  }
  setPreviewBackground(*chosen);
}

void TfrmMain::OuterMatteShadowColor1Click() {
  if (!Activated_) return;
  const std::optional<ColorValue> chosen = services_.dialogs->askColor(settings_.ShadowColor);
  if (!chosen) return;
  settings_.ShadowColor = *chosen;
  RefreshPreview();
}

void TfrmMain::OuterMatteShadowSize1Click() {
  const QString offered = QString::number(settings_.ShadowSize);
  const QString answer = services_.dialogs->askNumberText(
      QStringLiteral("Outer Matte Shadow Size"),
      QStringLiteral("Enter outer matte shadow size (1 to 30)"), offered);
  bool ok = false;
  const double number = answer.toDouble(&ok);
  // The renderer takes sizes of 1 to 30, the range the prompt names.
  settings_.ShadowSize = std::clamp(static_cast<int>(std::trunc(ok ? number : 0.0)), 1, 30);
  if (answer != offered) RefreshPreview();
}

void TfrmMain::styleAddClick() {
  readDesign();
  if (AddStyle(design_, AppPath_, *services_.dialogs)) showDesign();
}

void TfrmMain::styleDelClick() {
  readDesign();
  if (DeleteStyle(design_, AppPath_, *services_.dialogs)) showDesign();
}

void TfrmMain::styleSaveClick() {
  setStatus(QStringLiteral("Status: Saving Style"));
  readDesign();
  try {
    SaveStyle(design_, AppPath_);
  } catch (const Error& e) {
    setStatus(QStringLiteral("Status: Ready"));
    services_.dialogs->error(e.what());
    return;
  }
  setSaveLabelColor(kSaveSavedColor);
  setStatus(QStringLiteral("Status: Ready"));
}

}  // namespace lumabord
