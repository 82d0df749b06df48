#pragma once
// What every libFuzzer target does with one input: run the entry function and
// turn a broken invariant into a crash, so that libFuzzer keeps the input.
// Any other exception escapes and ends the run as well: no parser may throw.
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzEntries.h"

inline int RunFuzzEntry(void (*entry)(const uint8_t*, size_t), const uint8_t* data, size_t size) {
  try {
    entry(data, size);
  } catch (const EFuzzInvariant& e) {
    std::fprintf(stderr, "broken invariant: %s\n", e.what());
    std::abort();
  }
  return 0;
}
