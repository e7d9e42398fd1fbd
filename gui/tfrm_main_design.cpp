// TfrmMain: the design widgets bound to the model's controls, and the window events that
// reach the model's handlers. Every handler first reads the widgets into the model, so a
// model change shown back never undoes what the user typed.
#include <QApplication>
#include <QKeyEvent>
#include <functional>

#include "base/error.h"
#include "clickable_label.h"
#include "color_combo_box.h"
#include "compose/style_file.h"
#include "integer_field.h"
#include "preview_view.h"
#include "qt_image.h"
#include "screen_color_picker.h"
#include "tfrm_main.h"

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

// Tab arrives in a field as the release of the key that moved the focus in; modifiers are
// released while tabbing backwards. Neither edits a width.
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
  const DesignControls& c = model_.controls;
  showChoice(cboFrame_, c.cboFrame);
  showChoice(cboFrameMask_, c.cboFrameMask);
  showChoice(cboShadow_, c.cboShadow);
  showChoice(frame_.texture, c.cboFrameTexture);
  showChoice(outerMatte_.texture, c.cboOuterMatteTexture);
  showChoice(innerMatte_.texture, c.cboInnerTexture);
  frame_.color->setColorValue(c.cboFrameColor);
  outerMatte_.color->setColorValue(c.cboOuterMatteColor);
  innerMatte_.color->setColorValue(c.cboInnerColor);
  showOption(frame_.colorOption, frame_.textureOption, c.rdoFrame2);
  showOption(outerMatte_.colorOption, outerMatte_.textureOption, c.rdoOuterMatte2);
  showOption(innerMatte_.colorOption, innerMatte_.textureOption, c.rdoInnerMatte2);
  txtLeft_->setValue(c.txtLeft);
  txtTop_->setValue(c.txtTop);
  txtRight_->setValue(c.txtRight);
  txtBottom_->setValue(c.txtBottom);
  txtInnerWidth_->setValue(c.txtInnerWidth);
  chkShadowOuter_->setChecked(c.chkShadowOuter);
  chkSignature_->setChecked(c.chkSignature);
  txtWidth_->setValue(c.txtWidth);
  txtHeight_->setValue(c.txtHeight);
}

void TfrmMain::readDesign() {
  DesignControls& c = model_.controls;
  c.cboFrame.selected = cboFrame_->currentIndex();
  c.cboFrameMask.selected = cboFrameMask_->currentIndex();
  c.cboShadow.selected = cboShadow_->currentIndex();
  c.cboFrameTexture.selected = frame_.texture->currentIndex();
  c.cboOuterMatteTexture.selected = outerMatte_.texture->currentIndex();
  c.cboInnerTexture.selected = innerMatte_.texture->currentIndex();
  c.cboFrameColor = frame_.color->colorValue();
  c.cboOuterMatteColor = outerMatte_.color->colorValue();
  c.cboInnerColor = innerMatte_.color->colorValue();
  c.rdoFrame2 = frame_.textureOption->isChecked();
  c.rdoOuterMatte2 = outerMatte_.textureOption->isChecked();
  c.rdoInnerMatte2 = innerMatte_.textureOption->isChecked();
  c.txtLeft = txtLeft_->value();
  c.txtTop = txtTop_->value();
  c.txtRight = txtRight_->value();
  c.txtBottom = txtBottom_->value();
  c.txtInnerWidth = txtInnerWidth_->value();
  c.chkShadowOuter = chkShadowOuter_->isChecked();
  c.chkSignature = chkSignature_->isChecked();
  c.txtWidth = txtWidth_->value();
  c.txtHeight = txtHeight_->value();
}

void TfrmMain::setPreviewBackground(ColorValue color) {
  imgPreview_->setBackground(toQColor(color));
  QPalette pal = panPreview_->palette();
  pal.setColor(QPalette::Window, toQColor(color));
  panPreview_->setPalette(pal);
}

void TfrmMain::connectDesignHandlers() {
  // Reads the widgets into the model, then runs the model's handler.
  auto handle = [this](auto handler) {
    return [this, handler] {
      readDesign();
      std::invoke(handler, model_);
    };
  };
  connect(cboFrame_, &QComboBox::activated, this, handle(&MainModel::cboFrameChange));
  // One model handler for the eight design lists; it tells them apart by their names.
  for (QComboBox* list :
       {frame_.texture, cboFrameMask_, cboShadow_, outerMatte_.texture, innerMatte_.texture,
        static_cast<QComboBox*>(frame_.color), static_cast<QComboBox*>(outerMatte_.color),
        static_cast<QComboBox*>(innerMatte_.color)}) {
    const auto choice = handle(
        [name = list->objectName().toStdString()](MainModel& m) { m.cboDesignChange(name); });
    if (auto* colors = qobject_cast<ColorComboBox*>(list)) {
      colors->setColorAsker(
          [this](ColorValue start) { return services_.dialogs->askColor(start); });
      connect(colors, &ColorComboBox::colorChosen, this, choice);
    } else {
      connect(list, &QComboBox::activated, this, choice);
    }
  }
  for (const ElementWidgets* element : {&frame_, &outerMatte_, &innerMatte_}) {
    for (QRadioButton* option : {element->colorOption, element->textureOption}) {
      connect(option, &QRadioButton::clicked, this, handle(&MainModel::rdoMouseUp));
    }
  }
  for (IntegerField* margin : {txtLeft_, txtTop_, txtRight_, txtBottom_}) {
    connect(margin, &IntegerField::keyReleased, this, &TfrmMain::marginKeyReleased);
    connect(margin, &IntegerField::left, this, handle(&MainModel::txtMarginExit));
  }
  connect(txtInnerWidth_, &IntegerField::keyReleased, this, handle(&MainModel::txtInnerWidthKeyUp));
  connect(chkShadowOuter_, &QCheckBox::clicked, this, handle(&MainModel::chkShadowOuterClick));
  connect(chkSignature_, &QCheckBox::clicked, this, handle(&MainModel::chkSignatureClick));
  connect(BackgroundColor1_, &QAction::triggered, this, handle(&MainModel::BackgroundColorClick));
  connect(OuterMatteShadowColor1_, &QAction::triggered, this, handle(&MainModel::ShadowColorClick));
  connect(OuterMatteShadowSize1_, &QAction::triggered, this, handle(&MainModel::ShadowSizeClick));

  connect(frame_.picker, &QToolButton::clicked, this, [this] { startPicking(1); });
  connect(outerMatte_.picker, &QToolButton::clicked, this, [this] { startPicking(2); });
  connect(innerMatte_.picker, &QToolButton::clicked, this, [this] { startPicking(3); });
  connect(picker_, &ScreenColorPicker::sampled, this, [this](Rgb color) {
    readDesign();
    model_.ColorSampled(rgbToColor(color));
  });
  connect(imgPreview_, &PreviewView::clicked, this, [this] {
    if (picking()) endPicking();
  });

  connect(psvBorderLabel1_, &ClickableLabel::clicked, this, &TfrmMain::styleAddClick);
  connect(psvBorderLabel2_, &ClickableLabel::clicked, this, &TfrmMain::styleDelClick);
  connect(lblSave_, &ClickableLabel::clicked, this, &TfrmMain::styleSaveClick);
}

void TfrmMain::marginKeyReleased(int key) {
  model_.txtMarginKeyUp(isModifierOrTab(key));
}

void TfrmMain::startPicking(int target) {
  readDesign();
  model_.StartColorPick(target);
  picker_->start();
  // The window sees Esc before its controls while picking.
  qApp->installEventFilter(this);
}

void TfrmMain::endPicking() {
  readDesign();
  model_.EndColorPick();
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

void TfrmMain::styleAddClick() {
  readDesign();
  try {
    if (AddStyle(model_.controls, model_.AppPath, *services_.dialogs)) showDesign();
  } catch (const Error& e) {
    services_.dialogs->error(e.what());
  }
}

void TfrmMain::styleDelClick() {
  readDesign();
  if (DeleteStyle(model_.controls, model_.AppPath, *services_.dialogs)) showDesign();
}

void TfrmMain::styleSaveClick() {
  readDesign();
  const auto status = [this](const std::string& text) {
    model_.StatusText = text;
    statusChanged(text);
  };
  try {
    model_.lblSaveColor = SaveStyle(model_.controls, model_.AppPath, status);
  } catch (const Error& e) {
    status("Status: Ready");
    services_.dialogs->error(e.what());
    return;
  }
  showSaveLabel();
}

}  // namespace lumabord
