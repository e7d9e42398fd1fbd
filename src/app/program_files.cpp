// The program folder and the files beside the program.
#include "app/program_files.h"

#include <array>
#include <cstdlib>
#include <system_error>

#include "app/text_lines.h"
#include "base/error.h"
#include "base/file_io.h"

namespace lumabord {

std::filesystem::path programFolder(const std::filesystem::path& programFile) {
  const char* home = std::getenv("LUMABORD_HOME");
  if (home && *home) return std::filesystem::path(home);
  if (!programFile.empty()) return programFile.parent_path();
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

std::optional<std::string> readFileTypesFilter(const std::filesystem::path& appPath) {
  const std::filesystem::path file = appPath / "filetypes.ini";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  std::vector<uint8_t> bytes;
  try {
    bytes = readFile(file);
  } catch (const Error&) {
    return std::nullopt;
  }
  std::string filter;
  for (const std::string& line : splitTextLines(
           std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))) {
    filter += line + "|";
  }
  return filter;
}

bool hasPhotoExtension(std::string_view argument) {
  const size_t slash = argument.find_last_of('/');
  const std::string_view name =
      slash == std::string_view::npos ? argument : argument.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string extension(name.substr(dot));
  for (char& c : extension) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  constexpr std::array<std::string_view, 11> kPhotoExtensions{
      ".JPG", ".JPEG", ".TIF", ".TIFF", ".BMP", ".PNG", ".HEIC", ".HEIF", ".AVIF", ".WEBP", ".JXL"};
  for (std::string_view known : kPhotoExtensions) {
    if (extension == known) return true;
  }
  return false;
}

std::filesystem::path makeFontCacheFolder(const std::filesystem::path& appPath) {
  const std::filesystem::path folder = appPath / "FontCache3D";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder;
}

}  // namespace lumabord
