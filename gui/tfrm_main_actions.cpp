// TfrmMain: the main menu, the preview menu, the connections and which commands are enabled.
#include <QActionGroup>
#include <QMenuBar>

#include "clickable_label.h"
#include "color_combo_box.h"
#include "integer_field.h"
#include "preview_view.h"
#include "screen_color_picker.h"
#include "tfrm_main.h"

namespace lumabord {
namespace {

QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                 const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

}  // namespace

void TfrmMain::createActions() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  Open1_ = addItem(file, QStringLiteral("Open1"), QStringLiteral("Ope&n"));
  RecentFiles1_ = file->addMenu(QStringLiteral("Recent Files"));
  RecentFiles1_->setObjectName(QStringLiteral("RecentFiles1"));
  MRUFileMenu_ = addItem(RecentFiles1_, QStringLiteral("MRUFileMenu"), QStringLiteral("empty"));
  MRUFileMenu_->setEnabled(false);
  MRUFileMenu_->setVisible(false);
  file->addSeparator();
  ClearQueue1_ = addItem(file, QStringLiteral("ClearQueue1"), QStringLiteral("Clear Queue"));
  file->addSeparator();
  SaveAsBMPs1_ = addItem(file, QStringLiteral("SaveAsBMPs1"), QStringLiteral("Save As BMP's"));
  SaveAsJPEGs1_ = addItem(file, QStringLiteral("SaveAsJPEGs1"), QStringLiteral("Save As JPEG's"),
                          QKeySequence(Qt::CTRL | Qt::Key_S));
  SaveasTIFFs1_ = addItem(file, QStringLiteral("SaveasTIFFs1"), QStringLiteral("Save as TIFF's"));
  SaveAsPNGs1_ = addItem(file, QStringLiteral("SaveAsPNGs1"), QStringLiteral("Save As PNG's"));
  file->addSeparator();
  PrintPreview1_ = addItem(file, QStringLiteral("PrintPreview1"), QStringLiteral("Print..."),
                           QKeySequence(Qt::CTRL | Qt::Key_P));
  file->addSeparator();
  Exit1_ = addItem(file, QStringLiteral("Exit1"), QStringLiteral("Exit"));

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("Edit1"));
  CopytoClipboard1_ =
      addItem(edit, QStringLiteral("CopytoClipboard1"), QStringLiteral("Copy to Clipboard"),
              QKeySequence(Qt::CTRL | Qt::Key_C));
  // Ctrl+C must still copy text inside the entry fields; the window takes it elsewhere.
  CopytoClipboard1_->setShortcutContext(Qt::WindowShortcut);

  QMenu* options = bar->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("Options1"));
  Integrate1_ = addItem(options, QStringLiteral("Integrateintofilemanagerrightclickmenu1"),
                        QStringLiteral("Integrate into file manager right click menu"));
  Remove1_ = addItem(options, QStringLiteral("Removefromfilemanagerrightclickmenu1"),
                     QStringLiteral("Remove from file manager right click menu"));
  options->addSeparator();
  AutoOrient1_ =
      addItem(options, QStringLiteral("AutoOrient1"), QStringLiteral("Auto Orient Photos"));
  AutoOrient1_->setCheckable(true);
  AutoOrient1_->setChecked(true);

  QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
  tools->setObjectName(QStringLiteral("Tools1"));
  SignatureMaker1_ = addItem(tools, QStringLiteral("SignatureMaker1"),
                             QStringLiteral("Signature Maker"), QKeySequence(Qt::CTRL | Qt::Key_W));

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help1"));
  HelpManual1_ = addItem(help, QStringLiteral("HelpManual1"), QStringLiteral("Help Manual"),
                         QKeySequence(Qt::Key_F1));
  WebSite1_ = addItem(help, QStringLiteral("WebSite1"), QStringLiteral("Web Site"));
  EmailSupport1_ = addItem(help, QStringLiteral("EmailSupport1"), QStringLiteral("Email Support"));
  help->addSeparator();
  About1_ =
      addItem(help, QStringLiteral("About1"), QStringLiteral("About"), QKeySequence(Qt::Key_F8));

  previewMenu_ = new QMenu(this);
  previewMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  CopytoClipboard2_ =
      addItem(previewMenu_, QStringLiteral("CopytoClipboard2"), QStringLiteral("Copy to Clipboard"),
              QKeySequence(Qt::CTRL | Qt::Key_C));
  CopytoClipboard2_->setShortcutVisibleInContextMenu(true);
  previewMenu_->addSeparator();
  ViewActualSize1_ =
      addItem(previewMenu_, QStringLiteral("ViewActualSize1"), QStringLiteral("View Actual Size"));
  FittoPage1_ = addItem(previewMenu_, QStringLiteral("FittoPage1"), QStringLiteral("Fit to Page"));
  ViewActualSize1_->setCheckable(true);
  FittoPage1_->setCheckable(true);
  FittoPage1_->setChecked(true);
  auto* viewGroup = new QActionGroup(this);
  viewGroup->addAction(ViewActualSize1_);
  viewGroup->addAction(FittoPage1_);
  previewMenu_->addSeparator();
  BackgroundColor1_ = addItem(previewMenu_, QStringLiteral("BackgroundColor1"),
                              QStringLiteral("Background Color ..."));
  previewMenu_->addSeparator();
  OuterMatteShadowColor1_ = addItem(previewMenu_, QStringLiteral("OuterMatteShadowColor1"),
                                    QStringLiteral("Outer Matte Shadow Color"));
  OuterMatteShadowSize1_ = addItem(previewMenu_, QStringLiteral("OuterMatteShadowSize1"),
                                   QStringLiteral("Outer Matte Shadow Size"));
}

void TfrmMain::createConnections() {
  connect(cmdAdd_, &QPushButton::clicked, this, [this] { model_.cmdAddClick(); });
  connect(Open1_, &QAction::triggered, this, [this] { model_.cmdAddClick(); });
  connect(cmdClear_, &QPushButton::clicked, this, [this] { model_.cmdClearClick(); });
  connect(ClearQueue1_, &QAction::triggered, this, [this] { model_.cmdClearClick(); });
  connect(Exit1_, &QAction::triggered, this, &QWidget::close);
  connect(AutoOrient1_, &QAction::toggled, this, &TfrmMain::AutoOrient1Click);
  connect(cmdPrintPreview_, &QPushButton::clicked, this, &TfrmMain::PrintFramedImage);
  connect(PrintPreview1_, &QAction::triggered, this, &TfrmMain::PrintFramedImage);
  connect(CopytoClipboard1_, &QAction::triggered, this, &TfrmMain::CopyPreviewToClipboard);
  connect(CopytoClipboard2_, &QAction::triggered, this, &TfrmMain::CopyPreviewToClipboard);
  connect(SignatureMaker1_, &QAction::triggered, this, &TfrmMain::SignatureMaker1Click);
  connect(cmdSignature_, &QPushButton::clicked, this, &TfrmMain::SignatureMaker1Click);
  connect(ViewActualSize1_, &QAction::triggered, this,
          [this] { imgPreview_->setMode(PreviewView::Mode::ActualSize); });
  connect(FittoPage1_, &QAction::triggered, this,
          [this] { imgPreview_->setMode(PreviewView::Mode::FitToPage); });
  connect(imgPreview_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { previewMenu_->popup(imgPreview_->mapToGlobal(at)); });

  // Each output command only names its format.
  const std::pair<QObject*, OutputFormat> outputs[] = {
      {cmdSaveJPEG_, OutputFormat::Jpeg},  {cmdSaveTIFF_, OutputFormat::Tiff},
      {cmdSaveBMP_, OutputFormat::Bmp},    {SaveAsJPEGs1_, OutputFormat::Jpeg},
      {SaveasTIFFs1_, OutputFormat::Tiff}, {SaveAsBMPs1_, OutputFormat::Bmp},
      {SaveAsPNGs1_, OutputFormat::Png}};
  for (const auto& [command, format] : outputs) {
    const auto run = [this, format = format] { CreateFramedFiles(format); };
    if (auto* button = qobject_cast<QPushButton*>(command)) {
      connect(button, &QPushButton::clicked, this, run);
    } else if (auto* action = qobject_cast<QAction*>(command)) {
      connect(action, &QAction::triggered, this, run);
    }
  }
  connectDesignHandlers();
  connectHelpCommands();
  createQueueCommands();
}

void TfrmMain::rebuildRecentFiles() {
  for (QAction* item : recentItems_) {
    RecentFiles1_->removeAction(item);
    item->deleteLater();
  }
  recentItems_.clear();
  const std::vector<std::string>& paths = model_.MRUFiles1.Items();
  for (const MruMenuItem& entry : model_.MRUFiles1.MenuItems()) {
    auto* item = new QAction(RecentFiles1_);
    if (entry.separator) {
      item->setSeparator(true);
    } else {
      // "&" marks the accelerator in the number; an "&" in the path itself is literal.
      const std::string& path = paths[static_cast<size_t>(entry.index)];
      const std::string prefix = entry.caption.substr(0, entry.caption.size() - path.size());
      item->setText(QString::fromStdString(prefix) +
                    QString::fromStdString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
      item->setStatusTip(QString::fromStdString(entry.hint));
      item->setToolTip(QString::fromStdString(entry.hint));
      connect(item, &QAction::triggered, this,
              [this, index = entry.index] { model_.MRUFiles1.Click(index); });
    }
    RecentFiles1_->addAction(item);
    recentItems_.push_back(item);
  }
  updateActions();
}

void TfrmMain::updateActions() {
  const bool haveImage = !model_.Preview.empty();
  CopytoClipboard1_->setEnabled(haveImage);
  CopytoClipboard2_->setEnabled(haveImage);
  // While a batch runs nothing may change the queue or start another batch or a print.
  const bool idle = !batchRunning_;
  for (QPushButton* button : {cmdAdd_, cmdClear_, cmdSaveJPEG_, cmdSaveTIFF_, cmdSaveBMP_,
                              cmdPrintPreview_, cmdSignature_}) {
    button->setEnabled(idle);
  }
  AutoOrient1_->setChecked(model_.AutoOrient);
  for (QAction* action : {Open1_, ClearQueue1_, SaveAsJPEGs1_, SaveasTIFFs1_, SaveAsBMPs1_,
                          SaveAsPNGs1_, PrintPreview1_, SignatureMaker1_, AutoOrient1_}) {
    action->setEnabled(idle);
  }
  RecentFiles1_->setEnabled(idle);
  for (QAction* item : recentItems_) item->setEnabled(idle);
  updateQueueActions();
}

}  // namespace lumabord
