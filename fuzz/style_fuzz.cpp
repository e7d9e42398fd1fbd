// Style files ("Image Styles/<name>.txt") read into the design controls.
#include "base/error.h"
#include "compose/style_file.h"
#include "fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumabord;
  writeFuzzFile("Image Styles/Fuzzed.txt", data, size);
  DesignControls c;
  c.cboFrame = {{"Fuzzed"}, 0};
  c.cboFrameMask = {{"Rounded Raised", "Flat"}, 0};
  c.cboShadow = {{"<none>", "soft"}, 0};
  c.cboFrameTexture = {{"marble.jpg", "Wood\\oak.jpg"}, 0};
  c.cboOuterMatteTexture = c.cboFrameTexture;
  c.cboInnerTexture = c.cboFrameTexture;
  try {
    ReadStyle(c, fuzzFolder());
  } catch (const Error&) {
  }
  return 0;
}
