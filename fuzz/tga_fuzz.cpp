// Fuzzes the reader of Targa picture files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("tga")
