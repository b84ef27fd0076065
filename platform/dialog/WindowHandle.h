// The handle by which windows are known to code that does not own them.
#pragma once

#include <cstdint>

namespace platform {

// Names a window while it exists; 0 names none. Handles are never reused in a process, so a
// stale handle names no window rather than another one.
struct WindowHandle {
    std::uint32_t value = 0;
    explicit operator bool() const { return value != 0; }
    friend bool operator==(WindowHandle, WindowHandle) = default;
    friend auto operator<=>(WindowHandle, WindowHandle) = default;
};

}  // namespace platform
