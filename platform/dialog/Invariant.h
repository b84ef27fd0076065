// Broken invariants of the dialog framework: a stop with a hint, kept in release builds.
#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the process with the condition and a hint when `condition` is false: a dialog run on a
// broken framework state would show wrong data, which is worse than a stop.
#define PLATFORM_INVARIANT(condition, hint)                                                \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: invariant failed: %s (%s)\n", __FILE__, __LINE__, \
                         #condition, hint);                                                \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)
