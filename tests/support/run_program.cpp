// runProgram: fork, exec and collect the output through files.
#include "support/run_program.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace lumabord::testing {

ProgramRun runProgram(const std::vector<std::string>& argv, const Environment& environment,
                      const std::filesystem::path& cwd) {
  const TempDir capture;
  const auto out = capture / "out", err = capture / "err";
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) _exit(126);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
    for (const auto& [name, value] : environment) {
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    execvp(args[0], args.data());
    _exit(127);
  }
  ProgramRun run;
  int status = 0;
  struct rusage usage {};
  if (child > 0 && wait4(child, &status, 0, &usage) == child && WIFEXITED(status)) {
    run.status = WEXITSTATUS(status);
  }
  run.maxRssKb = usage.ru_maxrss;
  run.out = readText(out);
  run.err = readText(err);
  return run;
}

}  // namespace lumabord::testing
