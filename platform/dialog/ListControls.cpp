// Entries, selection, user input and reported changes of the list control kinds.
#include "platform/dialog/ListControls.h"

#include <algorithm>

namespace platform {

int EntryList::Insert(int index, std::string text) {
    if (index < -1 || index > Count()) return -1;
    if (index == -1) index = Count();
    entries_.insert(entries_.begin() + index, std::move(text));
    if (selection_ >= index) ++selection_;
    Tell(WindowEventKind::EntryInserted, index, entries_[index]);
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
    const bool changed = selection_ != index;
    selection_ = index;
    if (changed) Tell(WindowEventKind::EntrySelected, index, {});
    return true;
}

void EntryList::Clear() {
    if (!entries_.empty()) Tell(WindowEventKind::EntriesCleared, -1, {});
    entries_.clear();
    selection_ = -1;
}

void EntryList::Tell(WindowEventKind kind, int row, const std::string& text) const {
    if (!reporter_) return;
    WindowEvent change;
    change.kind = kind;
    change.row = row;
    change.text = text;
    reporter_(std::move(change));
}

ActionOutcome EntryList::UserSelect(int index, const std::string& controlName) {
    if (index < 0 || index >= Count())
        return Status::Failure("\"" + controlName + "\" has no entry at index " +
                               std::to_string(index) + " (it has " + std::to_string(Count()) + ")");
    selection_ = index;
    return Notification::SelectionChanged;
}

ListBox::ListBox(const ControlTemplate& from)
    : Control(from), entries_([this](WindowEvent change) { Report(std::move(change)); }) {}

ComboBox::ComboBox(const ControlTemplate& from)
    : Control(from), entries_([this](WindowEvent change) { Report(std::move(change)); }) {
    // A drop-down list has no edit field to hold an initial text.
    if (!HasEditField()) text_.clear();
}

bool ComboBox::Select(int index) {
    if (!entries_.Select(index)) return false;
    text_ = SelectedText();
    return true;
}

bool ComboBox::Takes(InputKind kind) const {
    return kind == InputKind::SelectEntry || (kind == InputKind::TypeText && HasEditField());
}

ActionOutcome ComboBox::SelectEntry(int index) {
    ActionOutcome outcome = entries_.UserSelect(index, Name());
    if (outcome) text_ = SelectedText();
    return outcome;
}

ActionOutcome ComboBox::TypeText(std::string text) {
    if (!HasEditField()) return Control::TypeText(std::move(text));
    text_ = std::move(text);
    return Notification::TextChanged;
}

std::string_view ComboBox::KindName() const {
    return HasEditField() ? "drop-down" : "drop-down list";
}

ListView::ListView(const ControlTemplate& from)
    : Control(from), items_([this](WindowEvent change) { Report(std::move(change)); }) {}

int ListView::InsertColumn(int index, ListColumn column) {
    const int count = static_cast<int>(columns_.size());
    index = std::clamp(index, 0, count);
    WindowEvent change;
    change.kind = WindowEventKind::ColumnInserted;
    change.column = index;
    change.text = column.heading;
    change.value = column.width;
    columns_.insert(columns_.begin() + index, std::move(column));
    Report(std::move(change));
    return index;
}

}  // namespace platform
