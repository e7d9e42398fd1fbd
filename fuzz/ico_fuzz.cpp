// Fuzzes the reader of ICO files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("ico")
