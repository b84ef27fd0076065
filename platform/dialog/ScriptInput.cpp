// Session-script verbs as typed input calls, with the script's error messages.
#include "platform/dialog/ScriptInput.h"

#include <algorithm>
#include <charconv>

#include "platform/dialog/Dialog.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/ScriptVerbs.h"
#include "platform/dialog/StandardControls.h"

namespace platform {
namespace {

ScriptInput Failure(std::string error) { return Status::Failure(std::move(error)); }

ScriptInput Input(UserInput input) { return std::optional<UserInput>(std::move(input)); }

UserInput Of(InputKind kind, const Control& control) {
    UserInput input;
    input.kind = kind;
    input.control = control.Id();
    return input;
}

// The input kind a verb asks for, or none for a verb no control takes.
std::optional<InputKind> KindOfVerb(std::string_view verb) {
    if (verb == verbs::kPress) return InputKind::Press;
    if (verb == verbs::kClick || verb == verbs::kTick || verb == verbs::kClear)
        return InputKind::Toggle;
    if (verb == verbs::kType) return InputKind::TypeText;
    if (verb == verbs::kSelect || verb == verbs::kChoose) return InputKind::SelectEntry;
    if (verb == verbs::kEditCell) return InputKind::EditCell;
    if (verb == verbs::kFocusCell) return InputKind::ClickCell;
    return std::nullopt;
}

std::optional<std::string> WrongArgumentCount(const UserAction& action, std::size_t count) {
    if (action.arguments.size() == count) return std::nullopt;
    return "'" + action.verb + "' takes " + std::to_string(count) + " argument(s), not " +
           std::to_string(action.arguments.size());
}

// A whole decimal integer, or nothing.
std::optional<int> ParseInteger(std::string_view word) {
    int value = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    if (!word.empty() && word.front() == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

ScriptInput TranslateToggle(const Control& control, const UserAction& action) {
    // "tick" and "clear" click only when the box is not already in the wanted state.
    if (control.Kind() == ControlKind::CheckBox) {
        const bool checked = static_cast<const CheckBox&>(control).IsChecked();
        if ((action.verb == verbs::kTick && checked) || (action.verb == verbs::kClear && !checked))
            return std::optional<UserInput>();
    }
    return Input(Of(InputKind::Toggle, control));
}

ScriptInput TranslateSelection(const Control& control, const UserAction& action) {
    if (action.arguments.size() != 1) return Failure("'" + action.verb + "' takes 1 argument");
    const EntryList* entries = control.Choices();
    const int count = entries != nullptr ? entries->Count() : 0;
    const std::string& wanted = action.arguments[0];
    const std::string named = "\"" + control.Name() + "\"";
    int index = -1;
    if (action.verb == verbs::kChoose) {
        index = entries != nullptr ? entries->FindExact(wanted) : -1;
        if (index < 0) return Failure(named + " has no entry \"" + wanted + "\"");
    } else {
        const bool digits =
            !wanted.empty() && wanted.size() < 10 &&
            std::all_of(wanted.begin(), wanted.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits) index = std::stoi(wanted);
        if (index < 0 || index >= count)
            return Failure(named + " has no entry at index " + wanted + " (it has " +
                           std::to_string(count) + ")");
    }
    UserInput input = Of(InputKind::SelectEntry, control);
    input.index = index;
    return Input(std::move(input));
}

ScriptInput TranslateCell(const Control& control, const UserAction& action, InputKind kind) {
    const bool edit = kind == InputKind::EditCell;
    if (auto wrong = WrongArgumentCount(action, edit ? 3 : 2)) return Failure(*wrong);
    const std::optional<int> row = ParseInteger(action.arguments[0]);
    const std::optional<int> column = ParseInteger(action.arguments[1]);
    if (!row || !column) return Failure("a cell is given by two whole numbers");
    UserInput input = Of(kind, control);
    input.row = *row;
    input.column = *column;
    if (edit) input.text = action.arguments[2];
    return Input(std::move(input));
}

}  // namespace

ScriptInput TranslateControlAction(const Control& control, const UserAction& action) {
    const std::optional<InputKind> kind = KindOfVerb(action.verb);
    if (!kind || !control.Takes(*kind))
        return Failure(std::string(control.KindName()) + " \"" + control.Name() +
                       "\" does not take '" + action.verb + "'");
    switch (*kind) {
        case InputKind::Press:
            if (auto wrong = WrongArgumentCount(action, 0)) return Failure(*wrong);
            return Input(Of(InputKind::Press, control));
        case InputKind::Toggle:
            if (auto wrong = WrongArgumentCount(action, 0)) return Failure(*wrong);
            return TranslateToggle(control, action);
        case InputKind::TypeText: {
            if (auto wrong = WrongArgumentCount(action, 1)) return Failure(*wrong);
            UserInput input = Of(InputKind::TypeText, control);
            input.text = action.arguments[0];
            return Input(std::move(input));
        }
        case InputKind::SelectEntry:
            return TranslateSelection(control, action);
        case InputKind::EditCell:
        case InputKind::ClickCell:
            return TranslateCell(control, action, *kind);
    }
    return Failure("unknown input");
}

ScriptInput TranslateDialogAction(const Dialog& dialog, std::string_view reference,
                                  const UserAction& action) {
    if (const Status takes = dialog.TakesInput(); !takes) return takes;
    Control* control = nullptr;
    if (reference.starts_with('#')) {
        int id = 0;
        const std::string digits(reference.substr(1));
        if (!digits.empty() && digits.size() < 10 &&
            digits.find_first_not_of("0123456789") == std::string::npos)
            id = std::stoi(digits);
        control = id > 0 ? dialog.FindControl(id) : nullptr;
    } else {
        control = dialog.FindControl(reference);
    }
    const std::string ofDialog = " of dialog \"" + dialog.Label() + "\"";
    const std::string named = "control \"" + std::string(reference) + "\"";
    if (control == nullptr) return Failure("dialog \"" + dialog.Label() + "\" has no " + named);
    if (!control->IsVisible()) return Failure(named + ofDialog + " is hidden");
    if (!control->IsEnabled()) return Failure(named + ofDialog + " is disabled");
    return TranslateControlAction(*control, action);
}

ActionOutcome Control::Perform(const UserAction& action) {
    const ScriptInput translated = TranslateControlAction(*this, action);
    if (!translated) return translated.GetStatus();
    return *translated ? Accept(**translated) : ActionOutcome(std::nullopt);
}

ActionOutcome Dialog::PerformUserAction(std::string_view reference, const UserAction& action) {
    const ScriptInput translated = TranslateDialogAction(*this, reference, action);
    if (!translated) return translated.GetStatus();
    return *translated ? Deliver(**translated) : ActionOutcome(std::nullopt);
}

}  // namespace platform
