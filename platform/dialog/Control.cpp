// The control base: state shared by every kind, its reports, and the typed input calls.
#include "platform/dialog/Control.h"

namespace platform {

Control::Control(const ControlTemplate& from)
    : text_(from.caption),
      origin_(from),
      id_(from.id),
      name_(from.name),
      kind_(from.kind),
      place_(from.place),
      enabled_(!from.disabled),
      visible_(!from.hidden) {}

void Control::Enable(bool enable) {
    if (enabled_ == enable) return;
    enabled_ = enable;
    Report(WindowEventKind::ControlEnabled, enable ? 1 : 0, {});
}

void Control::Show(bool show) {
    if (visible_ == show) return;
    visible_ = show;
    Report(WindowEventKind::ControlShown, show ? 1 : 0, {});
}

void Control::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Report(WindowEventKind::TextSet, 0, text_);
}

ActionOutcome Control::Press() { return Unsupported("a press"); }
ActionOutcome Control::Toggle() { return Unsupported("a click"); }
ActionOutcome Control::TypeText(std::string) { return Unsupported("typed text"); }
ActionOutcome Control::SelectEntry(int) { return Unsupported("a selection"); }
ActionOutcome Control::EditCell(int, int, std::string) { return Unsupported("a cell edit"); }
ActionOutcome Control::ClickCell(int, int) { return Unsupported("a cell click"); }

ActionOutcome Control::Accept(const UserInput& input) {
    switch (input.kind) {
        case InputKind::Press:
            return Press();
        case InputKind::Toggle:
            return Toggle();
        case InputKind::TypeText:
            return TypeText(input.text);
        case InputKind::SelectEntry:
            return SelectEntry(input.index);
        case InputKind::EditCell:
            return EditCell(input.row, input.column, input.text);
        case InputKind::ClickCell:
            return ClickCell(input.row, input.column);
    }
    return Unsupported("this input");
}

void Control::Report(WindowEventKind kind, int value, const std::string& text) const {
    WindowEvent change;
    change.kind = kind;
    change.value = value;
    change.text = text;
    Report(std::move(change));
}

void Control::Report(WindowEvent change) const {
    if (site_ != nullptr) site_->ControlChanged(*this, std::move(change));
}

ActionOutcome Control::Unsupported(std::string_view what) const {
    return Status::Failure(std::string(KindName()) + " \"" + name_ + "\" does not take " +
                           std::string(what));
}

}  // namespace platform
