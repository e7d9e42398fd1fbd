// Progress, replace answers and written paths of lumabord-cli frame.
#include "console_progress.h"

#include <string>

#include "base/error.h"

namespace lumabord::cli {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

ConsoleProgress::ConsoleProgress(ExistingOutput existing, std::FILE* messages, std::FILE* written,
                                 bool bar)
    : existing_(existing), messages_(messages), written_(written), bar_(bar) {}

void ConsoleProgress::begin(int) {}

void ConsoleProgress::step(int n, int q, const std::filesystem::path& photo) {
  const std::string name = photo.filename().string();
  if (!bar_) {
    std::fprintf(messages_, "%d/%d %s\n", n, q, name.c_str());
    std::fflush(messages_);
    return;
  }
  const int filled = q > 0 ? n * kBarWidth / q : kBarWidth;
  const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                          std::string(static_cast<size_t>(kBarWidth - filled), ' ');
  // Carriage return and erase-line redraw the bar in place.
  std::fprintf(messages_, "\r\033[K[%s] %d/%d %s", bar.c_str(), n, q, name.c_str());
  std::fflush(messages_);
  barOpen_ = true;
}

ReplaceAnswer ConsoleProgress::askReplace(const std::filesystem::path& path, const std::string&) {
  switch (existing_) {
    case ExistingOutput::Overwrite:
      return ReplaceAnswer::YesToAll;
    case ExistingOutput::Fail:
      closeBar();
      fail("%s already exists (--no-overwrite)", path.c_str());
    case ExistingOutput::Skip:
      break;
  }
  closeBar();
  std::fprintf(messages_, "Skipped %s: the file already exists (--overwrite replaces it)\n",
               path.c_str());
  return ReplaceAnswer::No;
}

void ConsoleProgress::fileWritten(const std::filesystem::path& path) {
  std::fprintf(written_, "%s\n", path.c_str());
  std::fflush(written_);
}

void ConsoleProgress::end() {
  closeBar();
}

void ConsoleProgress::closeBar() {
  if (!barOpen_) return;
  std::fputc('\n', messages_);
  barOpen_ = false;
}

}  // namespace lumabord::cli
