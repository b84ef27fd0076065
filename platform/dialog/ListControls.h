// The list control kinds: list box, drop-down list, drop-down with edit, list view (report).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/dialog/Control.h"

namespace platform {

// Entries with at most one selected, shared by list boxes, drop-downs and list views.
class EntryList {
public:
    // Receives every change made from code (EntryInserted, EntrySelected, EntriesCleared).
    using Reporter = std::function<void(WindowEvent change)>;
    EntryList() = default;
    explicit EntryList(Reporter reporter) : reporter_(std::move(reporter)) {}

    // Inserts at `index` (-1 appends); returns the index used, or -1 when `index` lies beyond
    // the end. A selection at or after the index moves with its entry.
    int Insert(int index, std::string text);
    [[nodiscard]] int Count() const { return static_cast<int>(entries_.size()); }
    // The entry's text, or "" outside the list.
    [[nodiscard]] std::string Text(int index) const;
    // The first entry whose text equals `text` exactly, or -1.
    [[nodiscard]] int FindExact(const std::string& text) const;
    // The selected index, -1 for none.
    [[nodiscard]] int Selection() const { return selection_; }
    // Selects `index` (-1 clears); false, selection unchanged, for an index outside the list.
    bool Select(int index);
    void Clear();

    // The user selects `index`: notifies SelectionChanged; an error outside the list.
    ActionOutcome UserSelect(int index, const std::string& controlName);

private:
    void Tell(WindowEventKind kind, int row, const std::string& text) const;

    Reporter reporter_;
    std::vector<std::string> entries_;
    int selection_ = -1;
};

// A single-selection list box.
class ListBox : public Control {
public:
    explicit ListBox(const ControlTemplate& from);
    [[nodiscard]] EntryList& Entries() { return entries_; }
    [[nodiscard]] const EntryList& Entries() const { return entries_; }
    [[nodiscard]] bool Takes(InputKind kind) const override {
        return kind == InputKind::SelectEntry;
    }
    ActionOutcome SelectEntry(int index) override { return entries_.UserSelect(index, Name()); }
    [[nodiscard]] const EntryList* Choices() const override { return &entries_; }
    [[nodiscard]] std::string_view KindName() const override { return "list box"; }

private:
    EntryList entries_;
};

// A drop-down list (choice only) or a drop-down with an edit field. In the second kind the
// typed text (Text) is kept apart from the selection: typing never changes the selection,
// choosing an entry sets the edit field to the entry's text.
class ComboBox : public Control {
public:
    explicit ComboBox(const ControlTemplate& from);
    [[nodiscard]] bool HasEditField() const { return Kind() == ControlKind::DropDown; }
    [[nodiscard]] const EntryList& Entries() const { return entries_; }
    // Appends or inserts (-1 appends) an entry; returns its index or -1.
    int Insert(int index, std::string text) { return entries_.Insert(index, std::move(text)); }
    // Selects `index` (-1 clears); false for an index outside the list.
    bool Select(int index);
    [[nodiscard]] int Selection() const { return entries_.Selection(); }
    // The selected entry's text, "" when none is selected.
    [[nodiscard]] std::string SelectedText() const { return entries_.Text(Selection()); }
    [[nodiscard]] bool Takes(InputKind kind) const override;
    ActionOutcome SelectEntry(int index) override;
    ActionOutcome TypeText(std::string text) override;
    [[nodiscard]] const EntryList* Choices() const override { return &entries_; }
    [[nodiscard]] std::string_view KindName() const override;

private:
    EntryList entries_;
};

// Column alignment of a list view.
enum class ColumnAlignment { Left, Centre, Right };

// A column of a list view in report view.
struct ListColumn {
    std::string heading;
    int width = 0;  // pixels
    ColumnAlignment alignment = ColumnAlignment::Left;
};

// A list view in report view: columns and rows of text (the first column's text per row).
class ListView : public Control {
public:
    explicit ListView(const ControlTemplate& from);
    // Inserts a column at `index` (clamped to the end); returns its index.
    int InsertColumn(int index, ListColumn column);
    [[nodiscard]] const std::vector<ListColumn>& Columns() const { return columns_; }
    [[nodiscard]] EntryList& Items() { return items_; }
    [[nodiscard]] const EntryList& Items() const { return items_; }
    [[nodiscard]] bool Takes(InputKind kind) const override {
        return kind == InputKind::SelectEntry;
    }
    ActionOutcome SelectEntry(int index) override { return items_.UserSelect(index, Name()); }
    [[nodiscard]] const EntryList* Choices() const override { return &items_; }
    [[nodiscard]] std::string_view KindName() const override { return "list view"; }

private:
    std::vector<ListColumn> columns_;
    EntryList items_;
};

}  // namespace platform
