// The questions and messages of the main window, behind one interface so that tests answer
// them instead of a user.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

#include "compose/color.h"
#include "compose/style_file.h"
#include "output/batch_ui.h"

namespace lumabord {

class WindowDialogs : public StylePrompts {
 public:
  // Colour dialog (solid colours, any colour) starting at initial; nullopt when cancelled.
  virtual std::optional<ColorValue> askColor(ColorValue initial) = 0;
  // Input box offering offered; Cancel returns offered unchanged.
  virtual QString askNumberText(const QString& caption, const QString& prompt,
                                const QString& offered) = 0;
  // Multi-select open dialog for existing pictures; empty when cancelled.
  virtual QStringList choosePhotos(const QString& filter) = 0;
  // The save dialog of the output commands (asks before overwriting); nullopt on Cancel.
  virtual std::optional<std::filesystem::path> askSaveFile(const SaveFileRequest& request) = 0;
  // The folder browser with its instruction, showing proposed; nullopt on Cancel.
  virtual std::optional<std::filesystem::path> askFolder(const QString& label,
                                                         const std::filesystem::path& proposed) = 0;
  // The warning "... already exists." with Yes, No and Yes to All.
  virtual ReplaceAnswer askReplace(const std::string& text) = 0;
  // The general error display.
  virtual void error(const std::string& text) = 0;
};

}  // namespace lumabord
