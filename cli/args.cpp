// Option parsing for lumabord-cli.
#include "args.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "command.h"

namespace lumabord::cli {

std::optional<std::string> Args::option(const std::string& name) {
  const std::string key = "--" + name;
  for (size_t i = 0; i < args_.size(); ++i) {
    if (args_[i] == key) {
      if (i + 1 >= args_.size()) throw UsageError("option " + key + " needs a value");
      std::string value = args_[i + 1];
      args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i),
                  args_.begin() + static_cast<std::ptrdiff_t>(i) + 2);
      return value;
    }
    if (args_[i].rfind(key + "=", 0) == 0) {
      std::string value = args_[i].substr(key.size() + 1);
      args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
      return value;
    }
  }
  return std::nullopt;
}

bool Args::flag(const std::string& name) {
  const std::string key = "--" + name;
  for (size_t i = 0; i < args_.size(); ++i) {
    if (args_[i] == key) {
      args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  }
  return false;
}

std::optional<int> Args::intOption(const std::string& name) {
  const auto text = option(name);
  if (!text) return std::nullopt;
  return parseInt(*text, ("--" + name).c_str());
}

std::vector<std::string> Args::positionals() {
  for (const std::string& arg : args_) {
    if (arg.size() > 2 && arg.rfind("--", 0) == 0) throw UsageError("unknown option " + arg);
  }
  return args_;
}

int parseInt(const std::string& text, const char* what) {
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
    throw UsageError(std::string(what) + " must be a whole number, not '" + text + "'");
  }
  return static_cast<int>(value);
}

void parseBox(const std::string& text, int& width, int& height) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) throw UsageError("a box is written WxH, not '" + text + "'");
  width = parseInt(text.substr(0, x), "the box width");
  height = parseInt(text.substr(x + 1), "the box height");
  if (width < 0 || height < 0) throw UsageError("box sides must not be negative");
}

}  // namespace lumabord::cli
