// The one exception type of the program: carries the exact text shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace lumabord {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// printf-style formatting for message texts such as "Cannot open file %s".
[[nodiscard]] std::string formatMessage(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

// message as "file: message", so that it names the file a reader's own text may leave out;
// unchanged when file is empty or the message already names it.
[[nodiscard]] std::string messageNamingFile(const std::string& file, const std::string& message);

// Throws Error with a formatted message.
[[noreturn]] void fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace lumabord
