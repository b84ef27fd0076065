// Host actions read from the session script.
#include "host/ScriptedInteraction.h"

#include <charconv>
#include <cmath>

#include "platform/dialog/HeadlessBackend.h"

namespace host {
namespace {

// The argument that cancels a request instead of answering it.
constexpr std::string_view kCancel = "cancel";

// The points given by `action`'s arguments, three numbers each; none when they are not that.
std::optional<std::vector<HostVector3>> Points(const platform::ScriptAction& action) {
    std::vector<double> numbers;
    for (const std::string& argument : action.arguments) {
        double value = 0.0;
        const auto [end, error] =
            std::from_chars(argument.data(), argument.data() + argument.size(), value);
        if (error != std::errc{} || end != argument.data() + argument.size() ||
            !std::isfinite(value))
            return std::nullopt;
        numbers.push_back(value);
    }
    if (numbers.empty() || numbers.size() % 3 != 0) return std::nullopt;
    std::vector<HostVector3> points;
    for (std::size_t i = 0; i < numbers.size(); i += 3)
        points.push_back({numbers[i], numbers[i + 1], numbers[i + 2]});
    return points;
}

// The points of the next script line, which must be `verb`; none when cancelled or wrong.
std::optional<std::vector<HostVector3>> Answer(std::string_view verb, bool single) {
    platform::HeadlessBackend* backend = platform::CurrentHeadlessBackend();
    if (!backend) return std::nullopt;
    const platform::ScriptAction* action = backend->TakeHostAction(verb);
    if (!action) return std::nullopt;
    if (action->arguments.size() == 1 && action->arguments[0] == kCancel) return std::nullopt;
    std::optional<std::vector<HostVector3>> points = Points(*action);
    if (!points || (single && points->size() != 1)) {
        backend->FailAction(*action, std::string(verb) + (single ? " needs X Y Z or cancel"
                                                                 : " needs X Y Z ... or cancel"));
        return std::nullopt;
    }
    return points;
}

}  // namespace

std::optional<std::vector<HostVector3>> ScriptedInteraction::SelectionClicks(int) {
    return Answer("select-entities", /*single=*/false);
}

std::optional<HostVector3> ScriptedInteraction::PickLocation() {
    const std::optional<std::vector<HostVector3>> points = Answer("pick-location", true);
    if (!points) return std::nullopt;
    return points->front();
}

}  // namespace host
