// TfrmMain: building the widgets and laying them out.
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "clickable_label.h"
#include "color_combo_box.h"
#include "integer_field.h"
#include "preview_view.h"
#include "tfrm_main.h"
#include "titled_panel.h"
#include "window_colors.h"

namespace lumabord {
namespace {

constexpr const char* kPickerHint = "Screen Color Selector, Press ESC when done to lock in color";

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QComboBox* makeList(const QString& name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(10);
  return list;
}

QRadioButton* makeOption(const QString& name, const QString& caption, QWidget* parent) {
  auto* option = new QRadioButton(caption, parent);
  option->setObjectName(name);
  return option;
}

QLabel* makeLabel(const QString& caption, QWidget* parent) {
  return new QLabel(caption, parent);
}

// A cross-hair over a small colour dropper ring, drawn rather than shipped as a file.
QIcon pickerIcon() {
  QPixmap pixmap(18, 18);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 40, 40), 1.4));
  painter.drawEllipse(QPointF(9, 9), 5, 5);
  painter.drawLine(QPointF(9, 1), QPointF(9, 6));
  painter.drawLine(QPointF(9, 12), QPointF(9, 17));
  painter.drawLine(QPointF(1, 9), QPointF(6, 9));
  painter.drawLine(QPointF(12, 9), QPointF(17, 9));
  return QIcon(pixmap);
}

QToolButton* makePickerButton(const QString& name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setAutoRaise(true);
  button->setIcon(pickerIcon());
  button->setToolTip(QString::fromLatin1(kPickerHint));
  return button;
}

QGridLayout* gridOf(TitledPanel* panel) {
  auto* grid = new QGridLayout(panel->body());
  grid->setContentsMargins(8, 6, 8, 8);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(5);
  return grid;
}

void pairOptions(QRadioButton* colour, QRadioButton* texture, QObject* owner) {
  auto* group = new QButtonGroup(owner);
  group->addButton(colour);
  group->addButton(texture);
  texture->setChecked(true);
}

}  // namespace

void TfrmMain::createWidgets() {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Lumabord"));
  resize(751, 572);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 6, 6, 0);
  layout->setSpacing(6);
  layout->addWidget(createTopBand());

  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setObjectName(QStringLiteral("Splitter1"));
  splitter_->setHandleWidth(8);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(createDesignColumn());
  splitter_->addWidget(createPreviewPanel());
  splitter_->addWidget(createQueueStrip());
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setStretchFactor(2, 0);
  layout->addWidget(splitter_, 1);
  setCentralWidget(central);

  // Holds the signature's text and look for the signature feature; never shown.
  SmoothLabel3D1_ = new QLabel(QStringLiteral("Your Name"), this);
  SmoothLabel3D1_->setObjectName(QStringLiteral("SmoothLabel3D1"));
  SmoothLabel3D1_->setVisible(false);

  createStatusBar();
}

QWidget* TfrmMain::createTopBand() {
  auto* band = new QWidget(this);
  auto* row = new QHBoxLayout(band);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);

  boxFile_ =
      new TitledPanel(QStringLiteral("boxFile"), QStringLiteral("Total Files to Frame: 0"), band);
  auto* fileRow = new QHBoxLayout(boxFile_->body());
  fileRow->setContentsMargins(8, 6, 8, 8);
  cmdAdd_ = makeButton(QStringLiteral("cmdAdd"), QStringLiteral("&Add..."), boxFile_->body());
  cmdAdd_->setDefault(true);
  cmdAdd_->setAutoDefault(true);
  cmdClear_ = makeButton(QStringLiteral("cmdClear"), QStringLiteral("&Clear"), boxFile_->body());
  fileRow->addWidget(cmdAdd_);
  fileRow->addWidget(cmdClear_);
  boxFile_->setMinimumWidth(230);
  row->addWidget(boxFile_);

  auto* tasks = new TitledPanel(QStringLiteral("boxTasks"), QStringLiteral("Quick Tasks"), band);
  auto* taskRow = new QHBoxLayout(tasks->body());
  taskRow->setContentsMargins(8, 6, 8, 8);
  cmdSaveJPEG_ =
      makeButton(QStringLiteral("cmdSaveJPEG"), QStringLiteral("Create &JPEG's"), tasks->body());
  cmdSaveTIFF_ =
      makeButton(QStringLiteral("cmdSaveTIFF"), QStringLiteral("Create &TIFF's"), tasks->body());
  cmdSaveBMP_ =
      makeButton(QStringLiteral("cmdSaveBMP"), QStringLiteral("Create &BMP's"), tasks->body());
  cmdPrintPreview_ =
      makeButton(QStringLiteral("cmdPrintPreview"), QStringLiteral("&Print..."), tasks->body());
  for (QPushButton* b : {cmdSaveJPEG_, cmdSaveTIFF_, cmdSaveBMP_, cmdPrintPreview_})
    taskRow->addWidget(b);
  row->addWidget(tasks);
  row->addStretch(1);
  return band;
}

QWidget* TfrmMain::createDesignColumn() {
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("scrDesign"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* column = new QWidget(scroll);
  auto* stack = new QVBoxLayout(column);
  stack->setContentsMargins(0, 0, 4, 6);
  stack->setSpacing(6);
  stack->addWidget(createStylePanel());
  stack->addWidget(createFramePanel());
  stack->addWidget(createOuterMattePanel());
  stack->addWidget(createInnerMattePanel());
  stack->addWidget(createOutputPanel());
  stack->addStretch(1);
  scroll->setWidget(column);
  scroll->setMinimumWidth(300);
  return scroll;
}

QWidget* TfrmMain::createStylePanel() {
  auto* panel = new TitledPanel(QStringLiteral("boxStyle"), QStringLiteral("Style"), this);
  auto* grid = gridOf(panel);
  QWidget* body = panel->body();
  cboFrame_ = makeList(QStringLiteral("cboFrame"), body);
  psvBorderLabel1_ = new ClickableLabel(QStringLiteral("psvBorderLabel1"), QStringLiteral("Add"),
                                        QStringLiteral("Add as New Style"), kAddLabelColor, body);
  psvBorderLabel2_ =
      new ClickableLabel(QStringLiteral("psvBorderLabel2"), QStringLiteral("Del"),
                         QStringLiteral("Delete Current Style"), kDelLabelColor, body);
  lblSave_ =
      new ClickableLabel(QStringLiteral("lblSave"), QStringLiteral("Save"),
                         QStringLiteral("Save Changes to Current Style"), kSaveUnsavedColor, body);
  grid->addWidget(cboFrame_, 0, 0, 1, 3);
  grid->addWidget(psvBorderLabel1_, 1, 0);
  grid->addWidget(psvBorderLabel2_, 1, 1);
  grid->addWidget(lblSave_, 1, 2);
  return panel;
}

QWidget* TfrmMain::createOutputPanel() {
  auto* panel = new TitledPanel(QStringLiteral("boxOutput"), QStringLiteral("Output Size"), this);
  auto* grid = gridOf(panel);
  QWidget* body = panel->body();
  txtWidth_ = new IntegerField(QStringLiteral("txtWidth"), 0, body);
  txtHeight_ = new IntegerField(QStringLiteral("txtHeight"), 0, body);
  grid->addWidget(makeLabel(QStringLiteral("Width:"), body), 0, 0);
  grid->addWidget(txtWidth_, 0, 1);
  grid->addWidget(makeLabel(QStringLiteral("Height:"), body), 0, 2);
  grid->addWidget(txtHeight_, 0, 3);
  return panel;
}

TfrmMain::ElementWidgets TfrmMain::createElementPanel(const ElementNames& names, bool topRow) {
  ElementWidgets element;
  element.panel =
      new TitledPanel(QString::fromLatin1(names.panel), QString::fromLatin1(names.title), this);
  element.grid = gridOf(element.panel);
  QWidget* body = element.panel->body();
  element.colorOption =
      makeOption(QString::fromLatin1(names.colorOption), QStringLiteral("Color:"), body);
  element.color = new ColorComboBox(QString::fromLatin1(names.color), body);
  element.picker = makePickerButton(QString::fromLatin1(names.picker), body);
  element.textureOption =
      makeOption(QString::fromLatin1(names.textureOption), QStringLiteral("Texture:"), body);
  element.texture = makeList(QString::fromLatin1(names.texture), body);
  pairOptions(element.colorOption, element.textureOption, this);
  const int row = topRow ? 1 : 0;
  element.grid->addWidget(element.colorOption, row, 0);
  element.grid->addWidget(element.color, row, 1);
  element.grid->addWidget(element.picker, row, 2);
  element.grid->addWidget(element.textureOption, row + 1, 0);
  element.grid->addWidget(element.texture, row + 1, 1, 1, 2);
  element.grid->setColumnStretch(1, 1);
  element.nextRow = row + 2;
  return element;
}

QWidget* TfrmMain::createFramePanel() {
  frame_ = createElementPanel({"boxFrame", "Frame:", "rdoFrame1", "cboFrameColor", "SpeedButton1",
                               "rdoFrame2", "cboFrameTexture"},
                              false);
  QWidget* body = frame_.panel->body();
  cboFrameMask_ = makeList(QStringLiteral("cboFrameMask"), body);
  cboShadow_ = makeList(QStringLiteral("cboShadow"), body);
  const int row = frame_.nextRow;
  frame_.grid->addWidget(makeLabel(QStringLiteral("Frame:"), body), row, 0);
  frame_.grid->addWidget(cboFrameMask_, row, 1, 1, 2);
  frame_.grid->addWidget(makeLabel(QStringLiteral("Shadow:"), body), row + 1, 0);
  frame_.grid->addWidget(cboShadow_, row + 1, 1, 1, 2);
  return frame_.panel;
}

QWidget* TfrmMain::createOuterMattePanel() {
  outerMatte_ =
      createElementPanel({"boxOuterMatte", "Outer Matte:", "rdoOuterMatte1", "cboOuterMatteColor",
                          "SpeedButton2", "rdoOuterMatte2", "cboOuterMatteTexture"},
                         true);
  QWidget* body = outerMatte_.panel->body();
  txtLeft_ = new IntegerField(QStringLiteral("txtLeft"), 0, body);
  txtTop_ = new IntegerField(QStringLiteral("txtTop"), std::nullopt, body);
  txtRight_ = new IntegerField(QStringLiteral("txtRight"), std::nullopt, body);
  txtBottom_ = new IntegerField(QStringLiteral("txtBottom"), std::nullopt, body);
  auto* widths = new QGridLayout;
  widths->setHorizontalSpacing(6);
  widths->addWidget(makeLabel(QStringLiteral("Left:"), body), 0, 0);
  widths->addWidget(txtLeft_, 0, 1);
  widths->addWidget(makeLabel(QStringLiteral("Top:"), body), 0, 2);
  widths->addWidget(txtTop_, 0, 3);
  widths->addWidget(makeLabel(QStringLiteral("Right:"), body), 1, 0);
  widths->addWidget(txtRight_, 1, 1);
  widths->addWidget(makeLabel(QStringLiteral("Bottom:"), body), 1, 2);
  widths->addWidget(txtBottom_, 1, 3);
  outerMatte_.grid->addLayout(widths, 0, 0, 1, 3);

  chkShadowOuter_ = new QCheckBox(QStringLiteral("Shadow"), body);
  chkShadowOuter_->setObjectName(QStringLiteral("chkShadowOuter"));
  chkShadowOuter_->setChecked(true);
  chkSignature_ = new QCheckBox(QStringLiteral("Show Signature"), body);
  chkSignature_->setObjectName(QStringLiteral("chkSignature"));
  cmdSignature_ = makeButton(QStringLiteral("cmdSignature"), QStringLiteral("Signature"), body);
  auto* switches = new QHBoxLayout;
  switches->addWidget(chkShadowOuter_);
  switches->addWidget(chkSignature_);
  switches->addStretch(1);
  switches->addWidget(cmdSignature_);
  outerMatte_.grid->addLayout(switches, outerMatte_.nextRow, 0, 1, 3);
  return outerMatte_.panel;
}

QWidget* TfrmMain::createInnerMattePanel() {
  innerMatte_ =
      createElementPanel({"boxInnerMatte", "Inner Matte:", "rdoInnerMatte1", "cboInnerColor",
                          "SpeedButton3", "rdoInnerMatte2", "cboInnerTexture"},
                         true);
  QWidget* body = innerMatte_.panel->body();
  txtInnerWidth_ = new IntegerField(QStringLiteral("txtInnerWidth"), 0, body);
  auto* border = new QHBoxLayout;
  border->setSpacing(6);
  border->addWidget(makeLabel(QStringLiteral("Border:"), body));
  border->addWidget(txtInnerWidth_);
  border->addWidget(makeLabel(QStringLiteral(" (pixels)"), body));
  border->addStretch(1);
  innerMatte_.grid->addLayout(border, 0, 0, 1, 3);
  return innerMatte_.panel;
}

QWidget* TfrmMain::createPreviewPanel() {
  panPreview_ = new QWidget(this);
  panPreview_->setObjectName(QStringLiteral("panPreview"));
  panPreview_->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(panPreview_);
  layout->setContentsMargins(15, 15, 15, 15);
  imgPreview_ = new PreviewView(QStringLiteral("imgPreview"), panPreview_);
  imgPreview_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(imgPreview_);
  return panPreview_;
}

void TfrmMain::createStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  statusPanel0_ = new QLabel(QStringLiteral("Status: Ready"), bar);
  statusPanel0_->setObjectName(QStringLiteral("StatusPanel0"));
  statusPanel0_->setFixedWidth(280);
  statusPanel0_->setContentsMargins(6, 0, 0, 0);
  statusPanel1_ = new QLabel(bar);
  statusPanel1_->setObjectName(QStringLiteral("StatusPanel1"));
  statusPanel1_->setMinimumWidth(50);
  bar->addWidget(statusPanel0_);
  bar->addWidget(statusPanel1_, 1);
}

}  // namespace lumabord
