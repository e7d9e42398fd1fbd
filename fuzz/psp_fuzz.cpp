// Fuzzes the reader of Paintshop Pro file files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("psp")
