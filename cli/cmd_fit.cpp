// lumabord-cli fit: prints the size "w h" that a W x H picture takes inside a MAXW x MAXH box.
#include <cstdio>

#include "args.h"
#include "command.h"
#include "compose/resample.h"

namespace lumabord::cli {
namespace {

int runFit(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  const auto values = args.positionals();
  if (values.size() != 4) throw UsageError("give four whole numbers");
  const char* names[] = {"W", "H", "MAXW", "MAXH"};
  int n[4];
  for (int i = 0; i < 4; ++i) {
    n[i] = parseInt(values[static_cast<size_t>(i)], names[i]);
    if (n[i] < 0) throw UsageError(std::string(names[i]) + " must not be negative");
  }
  const Size size = FitWithin(n[0], n[1], n[2], n[3]);
  std::printf("%d %d\n", size.width, size.height);
  return 0;
}

const CommandRegistration kRegister{{"fit", "fit W H MAXW MAXH", runFit}};

}  // namespace
}  // namespace lumabord::cli
