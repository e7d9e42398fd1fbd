// The help of lumabord-cli: the program's usage, and for every command a summary, one line
// per option and an example. The man page is generated from these texts.
#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

#include "command.h"

namespace lumabord::cli {

struct OptionHelp {
  const char* option;  // as in the synopsis: "--box WxH"
  const char* text;
};

struct CommandHelp {
  const char* name;
  const char* summary;  // one line for the list of commands
  const char* details;
  std::vector<OptionHelp> options;
  const char* example;
};

// The help of the command called name; nullptr when it has none.
[[nodiscard]] const CommandHelp* commandHelp(std::string_view name);

void printProgramHelp(std::FILE* out);
void printCommandHelp(std::FILE* out, const Command& command);
void printVersion(std::FILE* out);

}  // namespace lumabord::cli
