// Fuzzes the reader of WebP files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("webp")
