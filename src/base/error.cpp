// Message formatting for lumabord::Error.
#include "base/error.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace lumabord {
namespace {

std::string formatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return std::string(buffer.data(), static_cast<size_t>(length));
}

}  // namespace

std::string formatMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = formatV(format, args);
  va_end(args);
  return text;
}

std::string messageNamingFile(const std::string& file, const std::string& message) {
  if (file.empty() || message.find(file) != std::string::npos) return message;
  return file + ": " + message;
}

void fail(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = formatV(format, args);
  va_end(args);
  throw Error(text);
}

}  // namespace lumabord
