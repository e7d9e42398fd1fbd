// A small option parser for the commands: "--name value", "--flag", and positionals.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumabord::cli {

class Args {
 public:
  explicit Args(std::vector<std::string> args) : args_(std::move(args)) {}

  // Removes "--name VALUE" (or "--name=VALUE") and returns VALUE; UsageError if VALUE is missing.
  std::optional<std::string> option(const std::string& name);
  // Removes "--name" and says whether it was present.
  bool flag(const std::string& name);
  // Like option() but converts to an integer; UsageError for non-numbers.
  std::optional<int> intOption(const std::string& name);
  // The remaining arguments; UsageError if any of them still starts with "--".
  std::vector<std::string> positionals();
  // Everything not yet removed, options included (for a second parser).
  [[nodiscard]] const std::vector<std::string>& remaining() const { return args_; }

 private:
  std::vector<std::string> args_;
};

// Parses "WxH" (for example 800x600); UsageError otherwise.
void parseBox(const std::string& text, int& width, int& height);
// Parses a whole integer; UsageError naming what for otherwise.
int parseInt(const std::string& text, const char* what);

}  // namespace lumabord::cli
