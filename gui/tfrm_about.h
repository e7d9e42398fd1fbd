// TfrmAbout: the About box with the program's name, version, web site and support address.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "desktop_opener.h"

class QLabel;

namespace lumabord {

class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  using ShowError = std::function<void(const std::string&)>;
  // Links open through opener; a failure to open one is reported through showError.
  TfrmAbout(DesktopOpener& opener, ShowError showError, QWidget* parent = nullptr);

 private:
  QLabel* linkLabel(const char* name, const QString& text, const QString& link);
  void openLink(const QString& link, const QString& text);

  DesktopOpener& opener_;
  ShowError showError_;
};

}  // namespace lumabord
