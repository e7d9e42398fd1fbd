// Fuzzes the reader of portable pixmap/graymap/bitmap files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("ppm")
