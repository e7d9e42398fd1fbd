// The batch's questions and progress as the window shows them: the JPEG options dialog, the
// save dialog or folder browser, TfrmProgressStat with the "n/Q" caption also in the title,
// and the Yes / No / Yes to All replace question.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "output/batch_ui.h"
#include "tfrm_progress_stat.h"
#include "window_dialogs.h"

namespace lumabord {

class GuiBatchPrompts final : public DestinationPrompts, public BatchProgress {
 public:
  // window: the main window, whose title stands for the application's title; folderLabel:
  // the folder browser's instruction ("Select destination folder").
  GuiBatchPrompts(QWidget& window, WindowDialogs& dialogs, QString folderLabel);
  ~GuiBatchPrompts() override;

  bool editJpegOptions(JpegOptions& options) override;
  std::optional<std::filesystem::path> askSaveFile(const SaveFileRequest& request) override;
  std::optional<std::filesystem::path> askFolder(const std::filesystem::path& proposed) override;

  void begin(int count) override;
  void step(int n, int q, const std::filesystem::path& photo) override;
  ReplaceAnswer askReplace(const std::filesystem::path& path, const std::string& text) override;
  void processMessages() override;
  bool cancelRequested() override;
  void end() override;

  // The progress window while a batch runs, else nullptr.
  [[nodiscard]] TfrmProgressStat* progressWindow() const { return progress_; }
  // Asks the running batch to stop after the photo in hand (closing the main window).
  void requestCancel();

 private:
  QWidget& window_;
  WindowDialogs& dialogs_;
  QString folderLabel_;
  QString savedTitle_;
  QPointer<TfrmProgressStat> progress_;
};

}  // namespace lumabord
