// User actions and reported changes of the simple control kinds.
#include "platform/dialog/StandardControls.h"

#include <algorithm>

#include "platform/dialog/ScriptVerbs.h"

namespace platform {

ActionOutcome PushButton::Perform(const UserAction& action) {
    if (action.verb != verbs::kPress) return Unsupported(action);
    if (auto wrong = WrongArgumentCount(action, 0)) return *wrong;
    return ActionOutcome::Notify(Notification::Clicked);
}

ActionOutcome CheckBox::Perform(const UserAction& action) {
    if (action.verb != verbs::kClick && action.verb != verbs::kTick && action.verb != verbs::kClear)
        return Unsupported(action);
    if (auto wrong = WrongArgumentCount(action, 0)) return *wrong;
    // "tick" and "clear" click only when the box is not already in the wanted state.
    if ((action.verb == verbs::kTick && checked_) || (action.verb == verbs::kClear && !checked_))
        return ActionOutcome::Quiet();
    checked_ = !checked_;
    return ActionOutcome::Notify(Notification::Clicked);
}

void Edit::SetText(std::string text) {
    if (readOnly_ && text != text_) Report(WindowEventKind::TextChanged, 0, text);
    Control::SetText(std::move(text));
}

ActionOutcome Edit::Perform(const UserAction& action) {
    if (action.verb != verbs::kType) return Unsupported(action);
    if (auto wrong = WrongArgumentCount(action, 1)) return *wrong;
    if (readOnly_) return ActionOutcome::Error("edit \"" + Name() + "\" is read-only");
    text_ = action.arguments[0];
    return ActionOutcome::Notify(Notification::TextChanged);
}

void StaticText::SetText(std::string text) {
    if (text != text_) Report(WindowEventKind::TextChanged, 0, text);
    Control::SetText(std::move(text));
}

void ProgressBar::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    SetPosition(position_);
}

int ProgressBar::SetPosition(int position) {
    const int previous = position_;
    position_ = lower_ <= upper_ ? std::clamp(position, lower_, upper_) : lower_;
    if (position_ != previous) Report(WindowEventKind::ProgressChanged, position_, {});
    return previous;
}

}  // namespace platform
