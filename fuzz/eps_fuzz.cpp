// Fuzzes the reader of EPS files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("eps")
