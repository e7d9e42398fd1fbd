// Runs a program with extra environment variables and captures what it prints.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace lumabord::testing {

struct ProgramRun {
  int status = -1;  // the exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
  long maxRssKb = 0;  // the child's peak resident memory
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// argv[0] is the program's path. Each environment entry is set (or, with an empty value,
// removed) in the child only, which starts in cwd (empty: this process's folder).
ProgramRun runProgram(const std::vector<std::string>& argv, const Environment& environment = {},
                      const std::filesystem::path& cwd = {});

}  // namespace lumabord::testing
