// Importing a dropped style file.
#include "compose/style_import.h"

#include <system_error>

#include "base/error.h"
#include "base/file_io.h"
#include "compose/ini_file.h"

namespace lumabord {

namespace fs = std::filesystem;

bool ImportStyle(DesignControls& controls, const fs::path& appPath, const fs::path& source,
                 StylePrompts& prompts) {
  std::error_code ec;
  const auto size = fs::file_size(source, ec);
  if (ec) fail("Cannot open file %s", source.c_str());
  if (size > IniFile::kMaxBytes) fail("%s is not a frame style file", source.c_str());
  const std::vector<uint8_t> bytes = readFile(source);
  const std::string text(bytes.begin(), bytes.end());
  const IniFile ini = IniFile::parse(text);
  if (ini.readString("FRAME0", "COLOR").empty() || ini.readString("OUTERMATTE0", "LEFT").empty() ||
      ini.readString("INNERMATTE0", "WIDTH").empty()) {
    fail("%s is not a frame style file", source.c_str());
  }
  const std::string name = CleanStyleName(source.stem().string());
  if (name.empty()) return false;
  if (!prompts.confirmYesNoCancel("Add the frame style " + name + " to the style list?")) {
    return false;
  }
  const fs::path target = appPath / "Image Styles" / (name + ".txt");
  if (fs::exists(fs::symlink_status(target, ec))) {
    prompts.message("Duplicate style name, use a different name");
    return false;
  }
  fs::create_directories(target.parent_path(), ec);
  writeFileAtomic(target, text);
  controls.cboFrame.entries.push_back(name);
  controls.cboFrame.selected = static_cast<int>(controls.cboFrame.entries.size()) - 1;
  return true;
}

}  // namespace lumabord
