// Signals reach the window through a socket pair: the handler only writes one byte, and the
// event loop closes the window when it reads it.
#include "session_end.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>

#include "tfrm_main.h"

namespace lumabord {
namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGHUP, SIGINT};
int pipeEnds[2] = {-1, -1};

void onSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // Async-signal-safe; a full pipe already holds a pending close.
  [[maybe_unused]] const ssize_t n = write(pipeEnds[1], &byte, 1);
  errno = saved;
}

}  // namespace

SessionEnd::SessionEnd(TfrmMain& window) : window_(window) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0) return;
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::signalled);
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous_[i]);

  const auto save = [this] {
    if (window_.isVisible()) window_.SaveSettingsNow();
  };
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this, save);
  connect(qGuiApp, &QCoreApplication::aboutToQuit, this, save);
}

SessionEnd::~SessionEnd() {
  if (notifier_ == nullptr) return;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

void SessionEnd::signalled() {
  char bytes[16];
  while (read(pipeEnds[0], bytes, sizeof bytes) > 0) {
  }
  // Closing the last window ends the event loop; a batch or a rendering in hand finishes
  // its photo first, as when the user closes the window.
  window_.close();
}

}  // namespace lumabord
