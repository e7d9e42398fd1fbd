// Fuzzes the reader of camera raw files (nef; mrw and crw share the reader).
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("nef")
