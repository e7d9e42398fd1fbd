// Fuzzes the reader of Alias/Wavefront picture files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("rla")
