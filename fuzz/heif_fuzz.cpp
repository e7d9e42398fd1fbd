// Fuzzes the reader of HEIF and AVIF files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("heic")
