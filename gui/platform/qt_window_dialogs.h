// The main window's questions and messages as Qt dialogs.
#pragma once

#include <QWidget>

#include "codecs/picture_loader.h"
#include "window_dialogs.h"

namespace lumabord {

class QtWindowDialogs final : public WindowDialogs {
 public:
  // parent: the window the dialogs are centred on; loader: reads the Add dialog's preview.
  QtWindowDialogs(QWidget* parent, const PictureLoader& loader)
      : parent_(parent), loader_(loader) {}
  void setParentWindow(QWidget* parent) { parent_ = parent; }

  std::optional<std::string> askText(const std::string& title, const std::string& prompt) override;
  void message(const std::string& text) override;
  void warning(const std::string& text) override;
  bool confirmYesNoCancel(const std::string& text) override;
  std::optional<ColorValue> askColor(ColorValue initial) override;
  QString askNumberText(const QString& caption, const QString& prompt,
                        const QString& offered) override;
  QStringList choosePhotos(const QString& filter) override;
  std::optional<std::filesystem::path> askSaveFile(const SaveFileRequest& request) override;
  std::optional<std::filesystem::path> askFolder(const QString& label,
                                                 const std::filesystem::path& proposed) override;
  ReplaceAnswer askReplace(const std::string& text) override;
  void error(const std::string& text) override;

 private:
  QWidget* parent_;
  const PictureLoader& loader_;
};

}  // namespace lumabord
