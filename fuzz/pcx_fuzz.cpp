// Fuzzes the reader of ZSoft Paintbrush picture files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("pcx")
