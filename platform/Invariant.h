// Broken invariants: a stop with the condition and a hint, kept in release builds, because going
// on with a broken state would show or write wrong data, which is worse than a stop.
#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the process, naming the place, the condition and `hint` (a string literal saying what
// the caller did wrong), when `condition` is false.
#define TAVRO_INVARIANT(condition, hint)                                                   \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: invariant failed: %s (%s)\n", __FILE__, __LINE__, \
                         #condition, hint);                                                \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)
