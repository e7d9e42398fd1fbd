// libjpeg error handling shared by the JPEG reader and writer: errors become
// lumabord::Error("JPEG error #%d") thrown from the library's error_exit callback (the
// library is built with unwind tables, so no longjmp crosses C++ frames), and warnings and
// trace messages are never printed.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace lumabord {

// Installs the throwing, silent handlers into mgr and returns it for cinfo.err.
jpeg_error_mgr* installJpegErrorHandler(jpeg_error_mgr& mgr);

}  // namespace lumabord
