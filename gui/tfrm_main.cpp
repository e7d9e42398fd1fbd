// TfrmMain: construction, activation, closing and what the model asks of the window.
#include "tfrm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include "clickable_label.h"
#include "gui_batch_prompts.h"
#include "page_printer.h"
#include "preview_view.h"
#include "qt_image.h"
#include "screen_color_picker.h"
#include "titled_panel.h"
#include "wheel_guard.h"

namespace lumabord {
namespace {

MainServices modelServices(const MainWindowServices& window, MainSignature& signature,
                           PreviewRenderer& renderer) {
  MainServices services;
  services.renderer = window.renderer ? window.renderer : &renderer;
  services.signature = &signature;
  services.assets = &libraryAssetLists();
  services.loader = window.loader;
  services.separators = window.separators;
  services.programFile = window.programFile;
  return services;
}

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

TfrmMain::TfrmMain(MainWindowServices services, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      signatureRenderer_(makeComposeFrameRenderer(&signature_.signature())),
      model_(*this, modelServices(services_, signature_, *signatureRenderer_)) {
  picker_ = new ScreenColorPicker(*services_.screen, this);
  createWidgets();
  createActions();
  createConnections();
  guardListsFromWheel(this);
  model_.MRUFiles1.OnChange = [this] { rebuildRecentFiles(); };
  model_.MRUFiles1.OnClick = [this](const std::string& path) { model_.OpenRecentFile(path); };
  std::vector<std::string> paths;
  for (const QString& argument : arguments) paths.push_back(argument.toStdString());
  model_.PageSetup1 = defaultPageSetup();
  model_.FormCreate(paths);
  updateActions();
}

TfrmMain::~TfrmMain() {
  picker_->stop();
  qApp->removeEventFilter(this);
  model_.MRUFiles1.OnChange = nullptr;
  // QWidget's destructor hides a visible window and deletes the children after this
  // object's members (the model among them) are gone; a field losing the focus then must not
  // reach the handlers.
  for (QObject* child : findChildren<QObject*>())
    QObject::disconnect(child, nullptr, this, nullptr);
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  // Text fields take Enter themselves; what arrives here comes from the other controls.
  auto* button = qobject_cast<QPushButton*>(focusWidget());
  if (button == nullptr) button = cmdAdd_;
  if (button->isEnabled()) button->click();
  event->accept();
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!model_.Activated) QTimer::singleShot(0, this, &TfrmMain::FormActivate);
}

void TfrmMain::FormActivate() {
  if (model_.Activated) return;
  restorePlacement();
  model_.FormActivate();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (batchRunning_) {
    // The batch owns WorkPhoto until it ends; stop it after the photo in hand.
    event->ignore();
    closeAfterBatch_ = true;
    if (runningPrompts_ != nullptr) runningPrompts_->requestCancel();
    return;
  }
  if (model_.Rendering) {
    event->ignore();
    model_.RunWhenIdle([this] { close(); });
    return;
  }
  stopColorPicker();
  SaveSettingsNow();
  event->accept();
}

void TfrmMain::SaveSettingsNow() {
  readDesign();
  model_.FormClose();
  savePlacement();
}

void TfrmMain::CopyPreviewToClipboard() {
  if (model_.Preview.empty()) return;
  // Painted for the clipboard alone: the preview keeps only what it shows.
  Image framed;
  model_.Preview.paint(framed);
  services_.clipboard->placeImage(framed);
}

bool TfrmMain::claimRenderer() {
  if (!model_.Rendering) return true;
  statusChanged("Status: Busy creating the preview, try again");
  return false;
}

bool TfrmMain::picking() const {
  return picker_->running();
}

QString TfrmMain::statusText() const {
  return statusPanel0_->text();
}

QString TfrmMain::stepText() const {
  return statusPanel1_->text();
}

// --- MainView ----------------------------------------------------------------------------

void TfrmMain::statusChanged(const std::string& text) {
  statusPanel0_->setText(qs(text));
  // The model recolours the "Save" label just before it reports the status of a refresh.
  showSaveLabel();
}

void TfrmMain::renderStepChanged(const std::string& text) {
  statusPanel1_->setText(qs(text));
  // Between the rendering steps the window repaints and keeps taking input.
  QCoreApplication::processEvents();
}

void TfrmMain::processPendingEvents() {
  QCoreApplication::processEvents();
}

void TfrmMain::setBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TfrmMain::showMessage(const std::string& text) {
  services_.dialogs->message(text);
}

void TfrmMain::showError(const std::string& text) {
  services_.dialogs->error(text);
}

std::string TfrmMain::inputBox(const std::string& caption, const std::string& prompt,
                               const std::string& offered) {
  return services_.dialogs->askNumberText(qs(caption), qs(prompt), qs(offered)).toStdString();
}

std::optional<ColorValue> TfrmMain::chooseColor(ColorValue initial) {
  return services_.dialogs->askColor(initial);
}

std::vector<std::string> TfrmMain::choosePhotos(const std::string& filter) {
  std::vector<std::string> files;
  for (const QString& file : services_.dialogs->choosePhotos(qs(filter))) {
    files.push_back(file.toStdString());
  }
  return files;
}

void TfrmMain::modelChanged() {
  showDesign();
  boxFile_->setTitle(qs(model_.QueueTitle));
  showQueueStrip();
  setPreviewBackground(model_.settings.BackgroundColor);
  showSaveLabel();
  updateActions();
}

void TfrmMain::previewChanged() {
  imgPreview_->setPicture(model_.Preview);
  updateActions();
  emit previewRendered();
}

void TfrmMain::stopColorPicker() {
  picker_->stop();
  qApp->removeEventFilter(this);
}

void TfrmMain::terminateApplication() {
  // The settings are not saved on this path (FormClose does nothing once terminating); the
  // user is told why the program ends instead of seeing it vanish.
  QTimer::singleShot(0, this, [this] {
    services_.dialogs->error(model_.TerminationReason);
    close();
    // quit() rather than exit(): it does nothing outside the event loop (tests).
    QCoreApplication::quit();
  });
}

void TfrmMain::showSaveLabel() {
  lblSave_->setGround(model_.lblSaveColor);
}

}  // namespace lumabord
