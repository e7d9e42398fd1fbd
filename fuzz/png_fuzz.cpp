// Fuzzes the reader of PNG files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("png")
