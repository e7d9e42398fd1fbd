// Fuzzes the reader of GIF files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("gif")
