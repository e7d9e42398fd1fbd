// Fuzzes the reader of Dr. Halo picture files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("cut")
