// Fuzzes the reader of Photoshop file files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("psd")
