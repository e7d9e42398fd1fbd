// The batch's user contact on a terminal: a progress line per photo on stderr ("3/12
// beach.jpg"), drawn as a bar when stderr is a terminal, the written paths on stdout, and the
// replace question answered by the --overwrite choice.
#pragma once

#include <cstdio>

#include "frame_options.h"
#include "output/batch_ui.h"

namespace lumabord::cli {

class ConsoleProgress final : public BatchProgress {
 public:
  ConsoleProgress(ExistingOutput existing, std::FILE* messages, std::FILE* written, bool bar);

  void begin(int count) override;
  void step(int n, int q, const std::filesystem::path& photo) override;
  ReplaceAnswer askReplace(const std::filesystem::path& path, const std::string& text) override;
  void fileWritten(const std::filesystem::path& path) override;
  void processMessages() override {}
  bool cancelRequested() override { return false; }
  void end() override;

 private:
  // Ends a bar line before a message, so that the message stands on its own line.
  void closeBar();

  ExistingOutput existing_;
  std::FILE* messages_;
  std::FILE* written_;
  bool bar_;
  bool barOpen_ = false;
};

}  // namespace lumabord::cli
