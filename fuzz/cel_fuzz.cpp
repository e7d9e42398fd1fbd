// Fuzzes the reader of Autodesk Animator picture files.
#include "fuzz_reader.h"

LUMABORD_READER_FUZZ_TARGET("cel")
