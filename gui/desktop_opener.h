// Opening links and files through the desktop, as a person's desktop would open them:
// web links in the browser, "mailto:" in the mail program, the help manual in its viewer.
#pragma once

#include <QString>
#include <functional>

namespace lumabord {

class DesktopOpener {
 public:
  virtual ~DesktopOpener() = default;
  // Hands target to the desktop and returns at once. When the desktop reports a failure,
  // failed (if given) is called later on the window thread with the opener's exit status.
  virtual void open(const QString& target, const QString& workingFolder,
                    std::function<void(int status)> failed) = 0;
};

// The freedesktop.org opener: xdg-open, which every desktop environment provides. A missing
// xdg-open reports the status 127, as a shell does for a command it cannot find.
class XdgOpener final : public DesktopOpener {
 public:
  void open(const QString& target, const QString& workingFolder,
            std::function<void(int status)> failed) override;
};

// The opener of windows that are given none.
DesktopOpener& defaultDesktopOpener();

}  // namespace lumabord
