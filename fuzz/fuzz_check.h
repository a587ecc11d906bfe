// The check the fuzz targets state their contracts with: unlike assert it
// stays on in optimised builds, and a broken contract is a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: contract broken: %s\n", __FILE__, __LINE__,  \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (0)
