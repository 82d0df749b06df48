// libFuzzer target: see FuzzLanguageHeader in FuzzEntries.h.
#include "fuzz/FuzzRunner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return RunFuzzEntry(FuzzLanguageHeader, data, size); }
