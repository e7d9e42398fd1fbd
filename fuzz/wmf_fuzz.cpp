// Fuzzes the reader of Windows metafiles.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("wmf")
