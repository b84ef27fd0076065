// What the host asks of the person at the screen (select entities, pick a location), behind an
// interface so that a session script or a test can answer.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "hostlink/HostApi.h"

namespace host {

class HostInteraction {
public:
    virtual ~HostInteraction() = default;
    // The places the user clicks to select entities of the kinds `mode` admits; each click
    // selects the nearest such entity. None when the user cancels.
    [[nodiscard]] virtual std::optional<std::vector<HostVector3>> SelectionClicks(int mode) = 0;
    // The location the user picks, or none when the user cancels.
    [[nodiscard]] virtual std::optional<HostVector3> PickLocation() = 0;
};

// Answers requests from a queue filled in advance, in order. A request finding no answer, or an
// answer of the other kind, is cancelled and noted.
class QueuedInteraction : public HostInteraction {
public:
    // The next selection clicks at these places.
    void QueueSelection(std::vector<HostVector3> clicks);
    // The next location picked.
    void QueueLocation(HostVector3 location);
    // The next request, of either kind, is cancelled.
    void QueueCancel();

    std::optional<std::vector<HostVector3>> SelectionClicks(int mode) override;
    std::optional<HostVector3> PickLocation() override;

    [[nodiscard]] std::size_t Pending() const { return answers_.size(); }
    // Why requests were cancelled without a matching answer, oldest first.
    [[nodiscard]] const std::vector<std::string>& Notes() const { return notes_; }

private:
    struct Cancel {};
    using Answer = std::variant<std::vector<HostVector3>, HostVector3, Cancel>;
    template <class T>
    std::optional<T> Next(const char* request);

    std::deque<Answer> answers_;
    std::vector<std::string> notes_;
};

}  // namespace host
