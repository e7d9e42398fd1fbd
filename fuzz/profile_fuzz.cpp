// Profile descriptions ("Image Masks/<name>.ini": WIDTH and HEIGHT) and the INI parser
// under them, which style files and "filetypes.ini" share.
#include "base/error.h"
#include "compose/profile_ini.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumabord;
  try {
    (void)readProfileWidths(writeFuzzFile("Image Masks/Fuzzed.ini", data, size));
  } catch (const Error&) {
  }
  return 0;
}
