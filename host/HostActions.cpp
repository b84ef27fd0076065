// Selecting by kind and layer, and clearing the selection, as the session script asks.
#include "host/HostActions.h"

#include <array>
#include <charconv>
#include <optional>

#include "host/Drawing.h"

namespace host {
namespace {

constexpr std::string_view kSelectVerb = "host-select";
constexpr std::string_view kUnselectVerb = "host-unselect";
constexpr std::string_view kRunVerb = "host-run";
constexpr std::string_view kAllKinds = "all";
constexpr std::array kKinds{HostKind::Point, HostKind::Line,    HostKind::Arc, HostKind::Polyline,
                            HostKind::Curve, HostKind::Surface, HostKind::Text};

// What a host-select admits: a kind (none for all) and a layer (none for every shown layer).
struct SelectFilter {
    std::optional<HostKind> kind;
    std::optional<int> layer;
};

std::optional<HostKind> KindNamed(std::string_view name) {
    for (HostKind kind : kKinds)
        if (name == KindName(kind)) return kind;
    return std::nullopt;
}

// The filter of a host-select's arguments, or the reason they are not one.
platform::Expected<SelectFilter> ReadFilter(const platform::ScriptAction& action) {
    const platform::Status usage = platform::Status::Failure(
        std::string(kSelectVerb) +
        " needs KIND [LAYER]: KIND one of point, line, arc, polyline, curve, surface, text, all; "
        "LAYER 0 to 999");
    const std::vector<std::string>& arguments = action.arguments;
    if (arguments.empty() || arguments.size() > 2) return usage;
    SelectFilter filter;
    if (arguments[0] != kAllKinds) {
        filter.kind = KindNamed(arguments[0]);
        if (!filter.kind) return usage;
    }
    if (arguments.size() == 2) {
        const std::string& text = arguments[1];
        int layer = -1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), layer);
        if (error != std::errc{} || end != text.data() + text.size() || !IsLayerNumber(layer))
            return usage;
        filter.layer = layer;
    }
    return filter;
}

bool Shown(const Drawing& drawing, int layer) {
    const auto found = drawing.Layers().find(layer);
    return found == drawing.Layers().end() || found->second.visible;
}

std::size_t Select(Drawing& drawing, const SelectFilter& filter) {
    std::size_t selected = 0;
    drawing.ForEach([&](Entity& entity) {
        if (filter.kind && KindOf(entity.geometry) != *filter.kind) return;
        if (filter.layer && entity.layer != *filter.layer) return;
        if (!Shown(drawing, entity.layer)) return;
        entity.selected = true;
        ++selected;
    });
    return selected;
}

// The transcript line of an action taken: the action's words and how many entities it touched.
std::string Taken(const platform::ScriptAction& action, std::size_t count) {
    std::string line = action.verb;
    for (const std::string& argument : action.arguments) line += " " + argument;
    return line + " " + std::to_string(count);
}

}  // namespace

platform::Status CheckHostAction(const platform::ScriptAction& action) {
    if (action.verb == kSelectVerb) return ReadFilter(action).GetStatus();
    if (action.verb == kUnselectVerb || action.verb == kRunVerb) {
        if (action.arguments.empty()) return {};
        return platform::Status::Failure(action.verb + " takes no arguments");
    }
    return platform::Status::Failure("'" + action.verb +
                                     "' is not an action of the host between commands (" +
                                     std::string(kSelectVerb) + ", " + std::string(kUnselectVerb) +
                                     ", " + std::string(kRunVerb) + ")");
}

namespace {

// Checks and takes one host action, recording it; the reason when it is refused.
platform::Status Take(Drawing& drawing, const platform::ScriptAction& action,
                      platform::HeadlessBackend& backend) {
    if (const platform::Status checked = CheckHostAction(action); !checked) return checked;
    if (action.verb == kRunVerb) {
        backend.Record(std::string(kRunVerb));
        return {};
    }
    std::size_t count = 0;
    if (action.verb == kSelectVerb) {
        count = Select(drawing, *ReadFilter(action));
    } else {
        count = drawing.SelectedCount();
        drawing.UnselectAll();
    }
    backend.Record(Taken(action, count));
    return {};
}

}  // namespace

bool PlayHostActions(Drawing& drawing, platform::HeadlessBackend& backend) {
    while (const platform::ScriptAction* next = backend.PeekAction()) {
        if (!platform::IsHostVerb(next->verb)) return true;
        const platform::ScriptAction action = *next;
        if (backend.TakeHostAction(action.verb) == nullptr) return false;
        if (const platform::Status taken = Take(drawing, action, backend); !taken) {
            backend.FailAction(action, taken.Describe());
            return false;
        }
        if (action.verb == kRunVerb) return true;
    }
    return true;
}

void TakeHostActionsInDialogs(Drawing& drawing, platform::HeadlessBackend& backend) {
    backend.SetHostActionHandler([&drawing, &backend](const platform::ScriptAction& action) {
        if (action.verb == kRunVerb)
            return platform::Status::Failure(std::string(kRunVerb) +
                                             " while a command's dialog waits for the user");
        return Take(drawing, action, backend);
    });
}

}  // namespace host
