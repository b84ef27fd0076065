// User input and reported changes of the simple control kinds.
#include "platform/dialog/StandardControls.h"

#include <algorithm>

namespace platform {

void CheckBox::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Report(WindowEventKind::CheckChanged, checked ? 1 : 0, {});
}

ActionOutcome CheckBox::Toggle() {
    checked_ = !checked_;
    return Notification::Clicked;
}

void Edit::SetText(std::string text) {
    if (!readOnly_) return Control::SetText(std::move(text));
    if (text == text_) return;
    text_ = std::move(text);
    Report(WindowEventKind::TextChanged, 0, text_);
}

ActionOutcome Edit::TypeText(std::string text) {
    if (readOnly_) return Status::Failure("edit \"" + Name() + "\" is read-only");
    text_ = std::move(text);
    return Notification::TextChanged;
}

void StaticText::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Report(WindowEventKind::TextChanged, 0, text_);
}

void ProgressBar::SetRange(int lower, int upper) {
    if (lower != lower_ || upper != upper_) {
        WindowEvent change;
        change.kind = WindowEventKind::ProgressRangeChanged;
        change.value = lower;
        change.second = upper;
        Report(std::move(change));
    }
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
