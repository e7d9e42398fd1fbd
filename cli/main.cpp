// lumabord-cli: headless framing, conversion and lettering for batch work.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "base/error.h"
#include "command.h"
#include "command_help.h"

namespace lumabord::cli {
namespace {

std::vector<Command>& table() {
  static std::vector<Command> commands;
  return commands;
}

void printUsage(std::FILE* out) {
  std::fprintf(out, "usage:\n");
  for (const Command& command : commands()) std::fprintf(out, "  lumabord-cli %s\n", command.usage);
  std::fprintf(out, "\"lumabord-cli --help\" explains the commands.\n");
}

bool asksForHelp(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--help") return true;
  }
  return false;
}

}  // namespace

CommandRegistration::CommandRegistration(Command command) {
  table().push_back(command);
}

const std::vector<Command>& commands() {
  return table();
}

}  // namespace lumabord::cli

int main(int argc, char** argv) {
  using namespace lumabord::cli;
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  const std::string name = argv[1];
  if (name == "--help" || name == "help") {
    printProgramHelp(stdout);
    return 0;
  }
  if (name == "--version") {
    printVersion(stdout);
    return 0;
  }
  for (const Command& command : commands()) {
    if (name != command.name) continue;
    if (asksForHelp(std::vector<std::string>(argv + 2, argv + argc))) {
      printCommandHelp(stdout, command);
      return 0;
    }
    try {
      return command.run(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const UsageError& e) {
      std::fprintf(stderr, "lumabord-cli %s: %s\nusage: lumabord-cli %s\n", command.name, e.what(),
                   command.usage);
      return 2;
    } catch (const lumabord::Error& e) {
      std::fprintf(stderr, "%s\n", e.what());
      return 1;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      return 1;
    }
  }
  std::fprintf(stderr, "lumabord-cli: unknown command '%s'\n", name.c_str());
  printUsage(stderr);
  return 2;
}
