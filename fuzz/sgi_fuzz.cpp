// Fuzzes the reader of SGI image files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("sgi")
