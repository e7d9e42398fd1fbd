// The end of a session saves like "Exit": SIGTERM (a logout, `kill`), SIGHUP (the terminal
// went away) and SIGINT close the main window, which stores the settings and the recent
// files and lets the program end normally (the glyph cache writes its rows then); the session
// manager's request to save (before a logout) and a quit that bypasses the window save too.
#pragma once

#include <QObject>
#include <array>
#include <csignal>

class QSocketNotifier;

namespace lumabord {

class TfrmMain;

class SessionEnd final : public QObject {
 public:
  // Takes over the three signals for window until destroyed. One at a time per process.
  explicit SessionEnd(TfrmMain& window);
  ~SessionEnd() override;
  SessionEnd(const SessionEnd&) = delete;
  SessionEnd& operator=(const SessionEnd&) = delete;

 private:
  void signalled();

  TfrmMain& window_;
  QSocketNotifier* notifier_ = nullptr;
  std::array<struct sigaction, 3> previous_{};
};

}  // namespace lumabord
