// The command table of lumabord-cli. Each command's file registers itself:
//   static const CommandRegistration kRegister{{"fit", "fit W H MAXW MAXH", runFit}};
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace lumabord::cli {

// Thrown for a malformed command line: main prints it with the usage and exits with 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Command {
  const char* name;
  const char* usage;                          // the synopsis after "lumabord-cli "
  int (*run)(std::vector<std::string> args);  // returns the exit status
};

struct CommandRegistration {
  explicit CommandRegistration(Command command);
};

const std::vector<Command>& commands();

}  // namespace lumabord::cli
