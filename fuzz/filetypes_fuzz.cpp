// "filetypes.ini": the extra filters of the open dialog.
#include "app/program_files.h"
#include "base/error.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumabord;
  writeFuzzFile("filetypes.ini", data, size);
  try {
    (void)readFileTypesFilter(fuzzFolder());
  } catch (const Error&) {
  }
  return 0;
}
