// The control base: state shared by every kind and the helpers of user actions.
#include "platform/dialog/Control.h"

#include <charconv>

namespace platform {

Control::Control(const ControlTemplate& from)
    : text_(from.caption),
      id_(from.id),
      name_(from.name),
      kind_(from.kind),
      place_(from.place),
      enabled_(!from.disabled),
      visible_(!from.hidden) {}

void Control::SetText(std::string text) { text_ = std::move(text); }

ActionOutcome Control::Perform(const UserAction& action) { return Unsupported(action); }

void Control::Report(WindowEventKind kind, int value, const std::string& text) const {
    if (site_ != nullptr) site_->ControlChanged(*this, kind, value, text);
}

ActionOutcome Control::Unsupported(const UserAction& action) const {
    return ActionOutcome::Error(std::string(KindName()) + " \"" + name_ + "\" does not take '" +
                                action.verb + "'");
}

std::optional<ActionOutcome> Control::WrongArgumentCount(const UserAction& action,
                                                         std::size_t count) {
    if (action.arguments.size() == count) return std::nullopt;
    return ActionOutcome::Error("'" + action.verb + "' takes " + std::to_string(count) +
                                " argument(s), not " + std::to_string(action.arguments.size()));
}

std::optional<int> Control::ParseInteger(std::string_view word) {
    int value = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    if (!word.empty() && word.front() == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

}  // namespace platform
