// The settings store's text (REGEDIT4 syntax), parsed and written back.
#include <string_view>

#include "app/reg_file.h"
#include "base/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumabord;
  try {
    const RegFile file = RegFile::parse({reinterpret_cast<const char*>(data), size});
    (void)file;
  } catch (const Error&) {
  }
  return 0;
}
