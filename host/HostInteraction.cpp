// The queue-backed answers to the host's requests of the user.
#include "host/HostInteraction.h"

namespace host {

void QueuedInteraction::QueueSelection(std::vector<HostVector3> clicks) {
    answers_.emplace_back(std::move(clicks));
}

void QueuedInteraction::QueueLocation(HostVector3 location) { answers_.emplace_back(location); }

void QueuedInteraction::QueueCancel() { answers_.emplace_back(Cancel{}); }

template <class T>
std::optional<T> QueuedInteraction::Next(const char* request) {
    if (answers_.empty()) {
        notes_.push_back(std::string("no answer left for ") + request + "; cancelled");
        return std::nullopt;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    if (T* value = std::get_if<T>(&answer)) return std::move(*value);
    if (!std::holds_alternative<Cancel>(answer))
        notes_.push_back(std::string("the next answer does not fit ") + request + "; cancelled");
    return std::nullopt;
}

std::optional<std::vector<HostVector3>> QueuedInteraction::SelectionClicks(int) {
    return Next<std::vector<HostVector3>>("a selection");
}

std::optional<HostVector3> QueuedInteraction::PickLocation() {
    return Next<HostVector3>("a location");
}

}  // namespace host
