// What a fuzz target asserts: a failed check names itself and aborts, which libFuzzer
// reports as a finding with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define VX_FUZZ_CHECK(condition)                                                                                  \
    do {                                                                                                          \
        if (!(condition)) {                                                                                       \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                   \
            std::abort();                                                                                         \
        }                                                                                                         \
    } while (0)
