// Fuzzes the reader of files without an extension, recognised by content.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("")
