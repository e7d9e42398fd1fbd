// "mru.ini": the recent-files list, loaded and turned into menu items.
#include "app/mru_files.h"
#include "base/error.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumabord;
  TMRUFiles mru;
  try {
    mru.LoadFromFile(writeFuzzFile("mru.ini", data, size));
    (void)mru.MenuItems();
    mru.Add("photo.jpg");
  } catch (const Error&) {
  }
  return 0;
}
