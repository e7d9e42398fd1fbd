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

constexpr const char* kPickerHint =
    "Screen Color Selector, Press ESC when done to lock in color";

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
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
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

  boxFile_ = new TitledPanel(QStringLiteral("boxFile"), QStringLiteral("Total Files to Frame: 0"), band);
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
  cmdSaveJPEG_ = makeButton(QStringLiteral("cmdSaveJPEG"), QStringLiteral("Create &JPEG's"), tasks->body());
  cmdSaveTIFF_ = makeButton(QStringLiteral("cmdSaveTIFF"), QStringLiteral("Create &TIFF's"), tasks->body());
  cmdSaveBMP_ = makeButton(QStringLiteral("cmdSaveBMP"), QStringLiteral("Create &BMP's"), tasks->body());
  cmdPrintPreview_ = makeButton(QStringLiteral("cmdPrintPreview"), QStringLiteral("&Print..."), tasks->body());
  for (QPushButton* b : {cmdSaveJPEG_, cmdSaveTIFF_, cmdSaveBMP_, cmdPrintPreview_}) taskRow->addWidget(b);
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
  psvBorderLabel2_ = new ClickableLabel(QStringLiteral("psvBorderLabel2"), QStringLiteral("Del"),
                                        QStringLiteral("Delete Current Style"), kDelLabelColor, body);
  lblSave_ = new ClickableLabel(QStringLiteral("lblSave"), QStringLiteral("Save"),
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

QWidget* TfrmMain::createFramePanel() {
  auto* panel = new TitledPanel(QStringLiteral("boxFrame"), QStringLiteral("Frame:"), this);
  auto* grid = gridOf(panel);
  QWidget* body = panel->body();
  rdoFrame1_ = makeOption(QStringLiteral("rdoFrame1"), QStringLiteral("Color:"), body);
  cboFrameColor_ = new ColorComboBox(QStringLiteral("cboFrameColor"), body);
  SpeedButton1_ = makePickerButton(QStringLiteral("SpeedButton1"), body);
  rdoFrame2_ = makeOption(QStringLiteral("rdoFrame2"), QStringLiteral("Texture:"), body);
  cboFrameTexture_ = makeList(QStringLiteral("cboFrameTexture"), body);
  cboFrameMask_ = makeList(QStringLiteral("cboFrameMask"), body);
  cboShadow_ = makeList(QStringLiteral("cboShadow"), body);
  pairOptions(rdoFrame1_, rdoFrame2_, this);
  grid->addWidget(rdoFrame1_, 0, 0);
  grid->addWidget(cboFrameColor_, 0, 1);
  grid->addWidget(SpeedButton1_, 0, 2);
  grid->addWidget(rdoFrame2_, 1, 0);
  grid->addWidget(cboFrameTexture_, 1, 1, 1, 2);
  grid->addWidget(makeLabel(QStringLiteral("Frame:"), body), 2, 0);
  grid->addWidget(cboFrameMask_, 2, 1, 1, 2);
  grid->addWidget(makeLabel(QStringLiteral("Shadow:"), body), 3, 0);
  grid->addWidget(cboShadow_, 3, 1, 1, 2);
  grid->setColumnStretch(1, 1);
  return panel;
}

QWidget* TfrmMain::createOuterMattePanel() {
  auto* panel = new TitledPanel(QStringLiteral("boxOuterMatte"), QStringLiteral("Outer Matte:"), this);
  auto* grid = gridOf(panel);
  QWidget* body = panel->body();
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
  grid->addLayout(widths, 0, 0, 1, 3);

  rdoOuterMatte1_ = makeOption(QStringLiteral("rdoOuterMatte1"), QStringLiteral("Color:"), body);
  cboOuterMatteColor_ = new ColorComboBox(QStringLiteral("cboOuterMatteColor"), body);
  SpeedButton2_ = makePickerButton(QStringLiteral("SpeedButton2"), body);
  rdoOuterMatte2_ = makeOption(QStringLiteral("rdoOuterMatte2"), QStringLiteral("Texture:"), body);
  cboOuterMatteTexture_ = makeList(QStringLiteral("cboOuterMatteTexture"), body);
  pairOptions(rdoOuterMatte1_, rdoOuterMatte2_, this);
  grid->addWidget(rdoOuterMatte1_, 1, 0);
  grid->addWidget(cboOuterMatteColor_, 1, 1);
  grid->addWidget(SpeedButton2_, 1, 2);
  grid->addWidget(rdoOuterMatte2_, 2, 0);
  grid->addWidget(cboOuterMatteTexture_, 2, 1, 1, 2);

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
  grid->addLayout(switches, 3, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  return panel;
}

QWidget* TfrmMain::createInnerMattePanel() {
  auto* panel = new TitledPanel(QStringLiteral("boxInnerMatte"), QStringLiteral("Inner Matte:"), this);
  auto* grid = gridOf(panel);
  QWidget* body = panel->body();
  txtInnerWidth_ = new IntegerField(QStringLiteral("txtInnerWidth"), 0, body);
  auto* border = new QHBoxLayout;
  border->addWidget(makeLabel(QStringLiteral("Border:"), body));
  border->addWidget(txtInnerWidth_);
  border->addWidget(makeLabel(QStringLiteral(" (pixels)"), body));
  border->addStretch(1);
  grid->addLayout(border, 0, 0, 1, 3);

  rdoInnerMatte1_ = makeOption(QStringLiteral("rdoInnerMatte1"), QStringLiteral("Color:"), body);
  cboInnerColor_ = new ColorComboBox(QStringLiteral("cboInnerColor"), body);
  SpeedButton3_ = makePickerButton(QStringLiteral("SpeedButton3"), body);
  rdoInnerMatte2_ = makeOption(QStringLiteral("rdoInnerMatte2"), QStringLiteral("Texture:"), body);
  cboInnerTexture_ = makeList(QStringLiteral("cboInnerTexture"), body);
  pairOptions(rdoInnerMatte1_, rdoInnerMatte2_, this);
  grid->addWidget(rdoInnerMatte1_, 1, 0);
  grid->addWidget(cboInnerColor_, 1, 1);
  grid->addWidget(SpeedButton3_, 1, 2);
  grid->addWidget(rdoInnerMatte2_, 2, 0);
  grid->addWidget(cboInnerTexture_, 2, 1, 1, 2);
  grid->setColumnStretch(1, 1);
  return panel;
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
  statusPanel1_ = new QLabel(bar);
  statusPanel1_->setObjectName(QStringLiteral("StatusPanel1"));
  statusPanel1_->setMinimumWidth(50);
  bar->addWidget(statusPanel0_);
  bar->addWidget(statusPanel1_, 1);
}

}  // namespace lumabord
