// TfrmMain: the "&Options" and "&Help" menus: the file-manager entries through the
// context-menu library, the help manual, the web site, support e-mail and the About box.
#include <QUrl>

#include "app/links.h"
#include "app/shell_extension.h"
#include "tfrm_about.h"
#include "tfrm_main.h"

namespace lumabord {

std::filesystem::path helpManualFile(const std::filesystem::path& appPath) {
  return appPath / "LumabordHelp" / "index.html";
}

void TfrmMain::connectHelpCommands() {
  DesktopOpener& opener = services_.opener ? *services_.opener : defaultDesktopOpener();
  const auto show = [this](const std::string& text) { showMessage(text); };
  const auto library = [this] { return model_.AppPath / kShellExtensionFile; };
  connect(Integrate1_, &QAction::triggered, this,
          [library, show] { RegisterShellExtension(library(), show); });
  connect(Remove1_, &QAction::triggered, this,
          [library, show] { UnregisterShellExtension(library(), show); });
  // The outcome of these three is not looked at: a missing manual shows nothing.
  connect(HelpManual1_, &QAction::triggered, this, [this, &opener] {
    opener.open(QUrl::fromLocalFile(QString::fromStdString(helpManualFile(model_.AppPath)))
                    .toString(QUrl::FullyEncoded),
                QString::fromStdString(model_.AppPath.string()), {});
  });
  connect(WebSite1_, &QAction::triggered, this, [&opener] {
    opener.open(QString::fromUtf8(kWebSite.data(), static_cast<qsizetype>(kWebSite.size())), {},
                {});
  });
  connect(EmailSupport1_, &QAction::triggered, this,
          [&opener] { opener.open(QString::fromStdString(supportMailLink()), {}, {}); });
  connect(About1_, &QAction::triggered, this, [this, &opener] {
    TfrmAbout about(
        opener, [this](const std::string& text) { services_.dialogs->error(text); }, this);
    about.exec();
  });
}

}  // namespace lumabord
