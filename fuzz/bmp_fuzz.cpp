// Fuzzes the reader of BMP files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("bmp")
