// The link library's guarantee that no exception leaves an exported function: an add-in built
// with another compiler cannot catch it, and the host would end.
#pragma once

#include <cstdio>
#include <exception>
#include <utility>

namespace ravelink {

// Says on standard error which exported function stopped and why, so that a failure that the
// function's result cannot carry is still seen.
inline void ReportStopped(const char* function) noexcept {
    try {
        throw;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Ravelink03: %s stopped: %s\n", function, error.what());
    } catch (...) {
        std::fprintf(stderr, "Ravelink03: %s stopped by an unknown error\n", function);
    }
}

// Runs `body` and gives its result; when it throws (a failed allocation), gives `failure`
// instead. What the body took is released by its own owners while the exception unwinds.
template <class Result, class Body>
Result NoThrow(const char* function, Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ReportStopped(function);
        return failure;
    }
}

// As above for a function without a result: it stops and does nothing more.
template <class Body>
void NoThrow(const char* function, Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
        ReportStopped(function);
    }
}

}  // namespace ravelink
