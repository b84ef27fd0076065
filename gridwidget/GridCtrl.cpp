// The editable grid: sparse cell storage, fixed headers, focus cell and user editing.
#include "gridwidget/GridCtrl.h"

#include <algorithm>
#include <memory>

#include "platform/dialog/ControlClasses.h"

namespace gridwidget {

std::uint64_t GridCtrl::Key(int row, int column) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(column);
}

CellId GridCtrl::CellOf(std::uint64_t key) {
    return CellId{static_cast<int>(key >> 32), static_cast<int>(key & 0xffffffffu)};
}

void GridCtrl::ReportCount(platform::WindowEventKind kind, int count) const {
    Report(kind, count, {});
}

void GridCtrl::ReportFocus() const {
    platform::WindowEvent change;
    change.kind = platform::WindowEventKind::FocusCellChanged;
    change.row = focus_.row;
    change.column = focus_.column;
    Report(std::move(change));
}

void GridCtrl::DropOutside() {
    std::erase_if(cells_, [this](const auto& cell) {
        const CellId at = CellOf(cell.first);
        return at.row >= rows_ || at.column >= columns_;
    });
    if (!IsValid(focus_.row, focus_.column) && focus_ != CellId{}) {
        focus_ = CellId{};
        ReportFocus();
    }
}

bool GridCtrl::SetRowCount(int rows) {
    if (rows < 0) return false;
    const int fixed = std::min(fixedRows_, rows);
    if (rows != rows_) ReportCount(platform::WindowEventKind::RowCountChanged, rows);
    if (fixed != fixedRows_) ReportCount(platform::WindowEventKind::FixedRowsChanged, fixed);
    rows_ = rows;
    fixedRows_ = fixed;
    DropOutside();
    return true;
}

bool GridCtrl::SetColumnCount(int columns) {
    if (columns < 0) return false;
    const int fixed = std::min(fixedColumns_, columns);
    if (columns != columns_) ReportCount(platform::WindowEventKind::ColumnCountChanged, columns);
    if (fixed != fixedColumns_) ReportCount(platform::WindowEventKind::FixedColumnsChanged, fixed);
    columns_ = columns;
    fixedColumns_ = fixed;
    DropOutside();
    return true;
}

void GridCtrl::DeleteAllItems() {
    SetRowCount(0);
    SetColumnCount(0);
    cells_.clear();
}

bool GridCtrl::SetFixedRowCount(int rows) {
    if (rows < 0) return false;
    if (rows > rows_) ReportCount(platform::WindowEventKind::RowCountChanged, rows);
    if (rows != fixedRows_) ReportCount(platform::WindowEventKind::FixedRowsChanged, rows);
    fixedRows_ = rows;
    rows_ = std::max(rows_, rows);
    return true;
}

bool GridCtrl::SetFixedColumnCount(int columns) {
    if (columns < 0) return false;
    if (columns > columns_) ReportCount(platform::WindowEventKind::ColumnCountChanged, columns);
    if (columns != fixedColumns_)
        ReportCount(platform::WindowEventKind::FixedColumnsChanged, columns);
    fixedColumns_ = columns;
    columns_ = std::max(columns_, columns);
    return true;
}

bool GridCtrl::IsValid(int row, int column) const {
    return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

bool GridCtrl::IsFixed(int row, int column) const {
    return IsValid(row, column) && (row < fixedRows_ || column < fixedColumns_);
}

bool GridCtrl::SetItemText(int row, int column, std::string text) {
    if (!IsValid(row, column)) return false;
    if (const auto found = cells_.find(Key(row, column));
        found == cells_.end() ? !text.empty() : found->second != text) {
        platform::WindowEvent change;
        change.kind = platform::WindowEventKind::CellTextChanged;
        change.row = row;
        change.column = column;
        change.text = text;
        Report(std::move(change));
    }
    return StoreText(row, column, std::move(text));
}

bool GridCtrl::StoreText(int row, int column, std::string text) {
    // An empty cell is no cell: a huge, mostly empty grid stays small.
    if (text.empty())
        cells_.erase(Key(row, column));
    else
        cells_[Key(row, column)] = std::move(text);
    return true;
}

std::string GridCtrl::ItemText(int row, int column) const {
    if (!IsValid(row, column)) return {};
    const auto found = cells_.find(Key(row, column));
    if (found != cells_.end()) return found->second;
    return numberedHeaders_ ? HeaderNumber(row, column) : std::string();
}

std::string GridCtrl::HeaderNumber(int row, int column) const {
    const bool inFixedRow = row < fixedRows_;
    const bool inFixedColumn = column < fixedColumns_;
    if (inFixedRow == inFixedColumn) return {};  // a corner cell, or not a header at all
    return std::to_string(inFixedRow ? column : row);
}

void GridCtrl::ClearNonFixedCells() {
    const std::size_t erased = std::erase_if(cells_, [this](const auto& cell) {
        const CellId at = CellOf(cell.first);
        return !IsFixed(at.row, at.column);
    });
    if (erased > 0) Report(platform::WindowEventKind::CellsCleared, 0, {});
}

void GridCtrl::SetNumberedHeaders(bool numbered) {
    if (numbered == numberedHeaders_) return;
    numberedHeaders_ = numbered;
    Report(platform::WindowEventKind::HeaderNumbersChanged, numbered ? 1 : 0, {});
}

CellId GridCtrl::SetFocusCell(int row, int column) {
    const CellId previous = focus_;
    focus_ = IsValid(row, column) ? CellId{row, column} : CellId{};
    if (focus_ != previous) ReportFocus();
    return previous;
}

void GridCtrl::RedrawNow() const { Report(platform::WindowEventKind::Redrawn, 0, {}); }

platform::Status GridCtrl::CheckUserCell(int row, int column) const {
    const std::string cell = "cell (" + std::to_string(row) + ", " + std::to_string(column) + ")";
    if (!IsValid(row, column))
        return platform::Status::Failure(cell + " is outside grid \"" + Name() + "\" of " +
                                         std::to_string(rows_) + " x " + std::to_string(columns_));
    if (IsFixed(row, column))
        return platform::Status::Failure(cell + " of grid \"" + Name() +
                                         "\" is a fixed header cell");
    return {};
}

bool GridCtrl::Takes(platform::InputKind kind) const {
    return kind == platform::InputKind::EditCell || kind == platform::InputKind::ClickCell;
}

platform::ActionOutcome GridCtrl::EditCell(int row, int column, std::string text) {
    if (const platform::Status open = CheckUserCell(row, column); !open) return open;
    // The user clicks a cell before typing into it, so it becomes the focus cell either way.
    focus_ = CellId{row, column};
    StoreText(row, column, std::move(text));
    return platform::Notification::EndEdit;
}

platform::ActionOutcome GridCtrl::ClickCell(int row, int column) {
    if (const platform::Status open = CheckUserCell(row, column); !open) return open;
    focus_ = CellId{row, column};
    return platform::Notification::FocusCellChanged;
}

void RegisterGridControlClass() {
    platform::RegisterControlClass(kGridClassName, [](const platform::ControlTemplate& from) {
        return std::make_unique<GridCtrl>(from);
    });
}

}  // namespace gridwidget
