// Frame profile widths from the profile's INI description.
#include "compose/profile_ini.h"

#include "compose/ini_file.h"

namespace lumabord {

ProfileWidths readProfileWidths(const std::filesystem::path& iniFile) {
  const IniFile ini = IniFile::load(iniFile);
  return {ini.readInteger("RADIUS", "WIDTH"), ini.readInteger("RADIUS", "HEIGHT")};
}

}  // namespace lumabord
