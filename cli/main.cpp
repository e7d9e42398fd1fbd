// lumabord-cli: headless framing, conversion and lettering for batch work.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "base/error.h"
#include "command.h"

namespace lumabord::cli {
namespace {

std::vector<Command>& table() {
  static std::vector<Command> commands;
  return commands;
}

void printUsage(std::FILE* out) {
  std::fprintf(out, "usage:\n");
  for (const Command& command : commands()) std::fprintf(out, "  lumabord-cli %s\n", command.usage);
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
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "help") {
    printUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  const std::string name = argv[1];
  for (const Command& command : commands()) {
    if (name != command.name) continue;
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
