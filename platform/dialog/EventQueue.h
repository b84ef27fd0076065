// Timers and posted messages of all windows, in the order they are due.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "platform/dialog/WindowHandle.h"

namespace platform {

// A message posted to a window, delivered later by the running loop.
struct PostedMessage {
    WindowHandle window;
    int message = 0;
    std::intptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// A timer that has come due.
struct TimerFiring {
    WindowHandle window;
    int id = 0;
};

class EventQueue {
public:
    // Appends a message; messages are delivered first in, first out.
    void Post(const PostedMessage& message);
    // The oldest posted message, removed from the queue.
    [[nodiscard]] std::optional<PostedMessage> TakePosted();

    // Starts or restarts (same window and id) a periodic timer due `interval` ms after `now`.
    // Intervals below 1 ms count as 1 ms, so that a timer cannot starve its loop.
    void SetTimer(WindowHandle window, int id, std::int64_t interval, std::int64_t now);
    // Stops a timer; false when there was none.
    bool KillTimer(WindowHandle window, int id);
    // Stops every timer of a window and drops its posted messages (the window is going).
    void ForgetWindow(WindowHandle window);

    // When the next timer is due, if any.
    [[nodiscard]] std::optional<std::int64_t> NextDue() const;
    // The earliest timer due at or before `now` (ties in the order they were set), rearmed for
    // its next period.
    [[nodiscard]] std::optional<TimerFiring> TakeDue(std::int64_t now);

    void Clear();

private:
    struct Timer {
        WindowHandle window;
        int id = 0;
        std::int64_t interval = 0;
        std::int64_t due = 0;
        std::uint64_t order = 0;
    };
    static bool FiresBefore(const Timer& a, const Timer& b);

    std::deque<PostedMessage> posted_;
    std::vector<Timer> timers_;
    std::uint64_t nextOrder_ = 0;
};

}  // namespace platform
