// Fuzzes the reader of JPEG XL files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("jxl")
