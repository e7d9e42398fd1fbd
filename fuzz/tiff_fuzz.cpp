// Fuzzes the reader of TIFF files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("tif")
