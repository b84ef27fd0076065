// Entries, selection and user actions of the list control kinds.
#include "platform/dialog/ListControls.h"

#include <algorithm>

#include "platform/dialog/ScriptVerbs.h"

namespace platform {

int EntryList::Insert(int index, std::string text) {
    if (index < -1 || index > Count()) return -1;
    if (index == -1) index = Count();
    entries_.insert(entries_.begin() + index, std::move(text));
    if (selection_ >= index) ++selection_;
    return index;
}

std::string EntryList::Text(int index) const {
    return index >= 0 && index < Count() ? entries_[index] : std::string();
}

int EntryList::FindExact(const std::string& text) const {
    const auto found = std::find(entries_.begin(), entries_.end(), text);
    return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

bool EntryList::Select(int index) {
    if (index < -1 || index >= Count()) return false;
    selection_ = index;
    return true;
}

void EntryList::Clear() {
    entries_.clear();
    selection_ = -1;
}

ActionOutcome EntryList::PerformSelect(const UserAction& action, const std::string& controlName) {
    if (action.arguments.size() != 1)
        return ActionOutcome::Error("'" + action.verb + "' takes 1 argument");
    const std::string& wanted = action.arguments[0];
    int index = -1;
    if (action.verb == verbs::kChoose) {
        index = FindExact(wanted);
        if (index < 0)
            return ActionOutcome::Error("\"" + controlName + "\" has no entry \"" + wanted + "\"");
    } else {
        index = -1;
        const bool digits =
            !wanted.empty() && wanted.size() < 10 &&
            std::all_of(wanted.begin(), wanted.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits) index = std::stoi(wanted);
        if (index < 0 || index >= Count())
            return ActionOutcome::Error("\"" + controlName + "\" has no entry at index " + wanted +
                                        " (it has " + std::to_string(Count()) + ")");
    }
    selection_ = index;
    return ActionOutcome::Notify(Notification::SelectionChanged);
}

ActionOutcome ListBox::Perform(const UserAction& action) {
    if (action.verb != verbs::kSelect && action.verb != verbs::kChoose) return Unsupported(action);
    return entries_.PerformSelect(action, Name());
}

ComboBox::ComboBox(const ControlTemplate& from) : Control(from) {
    // A drop-down list has no edit field to hold an initial text.
    if (!HasEditField()) text_.clear();
}

bool ComboBox::Select(int index) {
    if (!entries_.Select(index)) return false;
    text_ = SelectedText();
    return true;
}

ActionOutcome ComboBox::Perform(const UserAction& action) {
    if (action.verb == verbs::kSelect || action.verb == verbs::kChoose) {
        ActionOutcome outcome = entries_.PerformSelect(action, Name());
        if (!outcome.Failed()) text_ = SelectedText();
        return outcome;
    }
    if (action.verb == verbs::kType && HasEditField()) {
        if (auto wrong = WrongArgumentCount(action, 1)) return *wrong;
        text_ = action.arguments[0];
        return ActionOutcome::Notify(Notification::TextChanged);
    }
    return Unsupported(action);
}

std::string_view ComboBox::KindName() const {
    return HasEditField() ? "drop-down" : "drop-down list";
}

int ListView::InsertColumn(int index, ListColumn column) {
    const int count = static_cast<int>(columns_.size());
    index = std::clamp(index, 0, count);
    columns_.insert(columns_.begin() + index, std::move(column));
    return index;
}

ActionOutcome ListView::Perform(const UserAction& action) {
    if (action.verb != verbs::kSelect && action.verb != verbs::kChoose) return Unsupported(action);
    return items_.PerformSelect(action, Name());
}

}  // namespace platform
