// Fuzzes the reader of Photo-CD file files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("pcd")
