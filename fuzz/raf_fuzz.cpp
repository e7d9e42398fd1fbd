// Fuzzes the reader of raf camera raw files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("raf")
