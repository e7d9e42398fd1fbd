// Fuzzes the reader of enhanced metafiles.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("emf")
