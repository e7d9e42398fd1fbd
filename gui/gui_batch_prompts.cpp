// The batch's questions and progress in the window.
#include "gui_batch_prompts.h"

#include <QCoreApplication>

#include "tfrm_jpeg_options.h"

namespace lumabord {

GuiBatchPrompts::GuiBatchPrompts(QWidget& window, WindowDialogs& dialogs, QString folderLabel)
    : window_(window), dialogs_(dialogs), folderLabel_(std::move(folderLabel)) {}

GuiBatchPrompts::~GuiBatchPrompts() {
  end();
}

bool GuiBatchPrompts::editJpegOptions(JpegOptions& options) {
  return EditJPEGOptions(options, &window_);
}

std::optional<std::filesystem::path> GuiBatchPrompts::askSaveFile(const SaveFileRequest& request) {
  return dialogs_.askSaveFile(request);
}

std::optional<std::filesystem::path> GuiBatchPrompts::askFolder(
    const std::filesystem::path& proposed) {
  return dialogs_.askFolder(folderLabel_, proposed);
}

void GuiBatchPrompts::begin(int count) {
  end();
  savedTitle_ = window_.windowTitle();
  progress_ = new TfrmProgressStat(&window_);
  progress_->bar()->setRange(0, count);
  progress_->bar()->setValue(0);
  progress_->CancelRequested = false;
  progress_->show();
}

void GuiBatchPrompts::step(int n, int q, const std::filesystem::path& /*photo*/) {
  const QString count = QStringLiteral("%1/%2").arg(n).arg(q);
  if (progress_) {
    progress_->bar()->setValue(n);
    progress_->setWindowTitle(count);
  }
  // The main window's title is what the task bar shows for the application.
  window_.setWindowTitle(count);
}

ReplaceAnswer GuiBatchPrompts::askReplace(const std::filesystem::path& /*path*/,
                                          const std::string& text) {
  return dialogs_.askReplace(text);
}

void GuiBatchPrompts::processMessages() {
  QCoreApplication::processEvents();
}

bool GuiBatchPrompts::cancelRequested() {
  return progress_ && progress_->CancelRequested;
}

void GuiBatchPrompts::requestCancel() {
  if (progress_) progress_->CancelRequested = true;
}

void GuiBatchPrompts::end() {
  if (!progress_) return;
  window_.setWindowTitle(savedTitle_);
  // hide(), not close(): closing a dialog rejects it, which here means Cancel.
  progress_->hide();
  progress_->deleteLater();
  progress_ = nullptr;
}

}  // namespace lumabord
