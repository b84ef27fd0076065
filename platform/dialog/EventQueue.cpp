// Timers ordered by due time and creation, posted messages first in first out.
#include "platform/dialog/EventQueue.h"

#include <algorithm>

namespace platform {

void EventQueue::Post(const PostedMessage& message) { posted_.push_back(message); }

std::optional<PostedMessage> EventQueue::TakePosted() {
    if (posted_.empty()) return std::nullopt;
    PostedMessage message = posted_.front();
    posted_.pop_front();
    return message;
}

void EventQueue::SetTimer(WindowHandle window, int id, std::int64_t interval, std::int64_t now) {
    KillTimer(window, id);
    interval = std::max<std::int64_t>(interval, 1);
    timers_.push_back({window, id, interval, now + interval, nextOrder_++});
}

bool EventQueue::KillTimer(WindowHandle window, int id) {
    const auto erased = std::erase_if(
        timers_, [&](const Timer& timer) { return timer.window == window && timer.id == id; });
    return erased > 0;
}

void EventQueue::ForgetWindow(WindowHandle window) {
    std::erase_if(timers_, [&](const Timer& timer) { return timer.window == window; });
    std::erase_if(posted_, [&](const PostedMessage& message) { return message.window == window; });
}

bool EventQueue::FiresBefore(const Timer& a, const Timer& b) {
    return a.due != b.due ? a.due < b.due : a.order < b.order;
}

std::optional<std::int64_t> EventQueue::NextDue() const {
    const auto earliest = std::min_element(timers_.begin(), timers_.end(), FiresBefore);
    if (earliest == timers_.end()) return std::nullopt;
    return earliest->due;
}

std::optional<TimerFiring> EventQueue::TakeDue(std::int64_t now) {
    const auto earliest = std::min_element(timers_.begin(), timers_.end(), FiresBefore);
    if (earliest == timers_.end() || earliest->due > now) return std::nullopt;
    const TimerFiring firing{earliest->window, earliest->id};
    earliest->due += earliest->interval;
    earliest->order = nextOrder_++;
    return firing;
}

void EventQueue::Clear() {
    posted_.clear();
    timers_.clear();
}

}  // namespace platform
