// Fuzzes the reader of JPEG files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("jpg")
