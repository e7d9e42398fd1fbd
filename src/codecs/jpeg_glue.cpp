// libjpeg error callbacks that throw instead of exiting or printing.
#include "codecs/jpeg_glue.h"

#include "base/error.h"

namespace lumabord {
namespace {

[[noreturn]] void throwJpegError(j_common_ptr cinfo) {
  fail("JPEG error #%d", cinfo->err->msg_code);
}

void ignoreMessage(j_common_ptr, int) {}
void ignoreOutput(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* installJpegErrorHandler(jpeg_error_mgr& mgr) {
  jpeg_std_error(&mgr);
  mgr.error_exit = throwJpegError;
  mgr.emit_message = ignoreMessage;
  mgr.output_message = ignoreOutput;
  return &mgr;
}

}  // namespace lumabord
