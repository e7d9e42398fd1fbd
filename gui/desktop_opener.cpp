// xdg-open may wait for the program it starts (a browser in a bare X session), so it runs as
// a child process of its own and the window thread never waits for it.
#include "desktop_opener.h"

#include <QCoreApplication>
#include <QProcess>

namespace lumabord {

void XdgOpener::open(const QString& target, const QString& workingFolder,
                     std::function<void(int status)> failed) {
  // Nobody waits for the outcome: the opener runs on its own and outlives the program.
  if (!failed) {
    QProcess::startDetached(QStringLiteral("xdg-open"), {target}, workingFolder);
    return;
  }
  // Owned by the application, not by a dialog: closing the About box must not kill a
  // browser that xdg-open runs in the foreground.
  auto* process = new QProcess(QCoreApplication::instance());
  if (!workingFolder.isEmpty()) process->setWorkingDirectory(workingFolder);
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  QObject::connect(process, &QProcess::finished, process,
                   [process, failed](int status, QProcess::ExitStatus how) {
                     process->deleteLater();
                     if (how != QProcess::NormalExit || status != 0) {
                       failed(how == QProcess::NormalExit ? status : 128);
                     }
                   });
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [process, failed](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     process->deleteLater();
                     failed(127);
                   });
  process->start(QStringLiteral("xdg-open"), {target});
}

DesktopOpener& defaultDesktopOpener() {
  static XdgOpener opener;
  return opener;
}

}  // namespace lumabord
