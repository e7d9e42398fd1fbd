// Splitting a small text file into lines the way the program's list files are read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumabord {

// Lines end at CR LF, LF or CR; a last line without an ending still counts, a final ending
// does not start another line. Empty text gives no lines.
[[nodiscard]] std::vector<std::string> splitTextLines(std::string_view text);

}  // namespace lumabord
