// The editable grid: sparse cell storage, fixed headers, focus cell and user editing.
#include "gridwidget/GridCtrl.h"

#include <algorithm>
#include <memory>

#include "platform/dialog/ControlClasses.h"
#include "platform/dialog/ScriptVerbs.h"

namespace gridwidget {

std::uint64_t GridCtrl::Key(int row, int column) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(column);
}

CellId GridCtrl::CellOf(std::uint64_t key) {
    return CellId{static_cast<int>(key >> 32), static_cast<int>(key & 0xffffffffu)};
}

void GridCtrl::DropOutside() {
    std::erase_if(cells_, [this](const auto& cell) {
        const CellId at = CellOf(cell.first);
        return at.row >= rows_ || at.column >= columns_;
    });
    if (!IsValid(focus_.row, focus_.column)) focus_ = CellId{};
}

bool GridCtrl::SetRowCount(int rows) {
    if (rows < 0) return false;
    rows_ = rows;
    fixedRows_ = std::min(fixedRows_, rows_);
    DropOutside();
    return true;
}

bool GridCtrl::SetColumnCount(int columns) {
    if (columns < 0) return false;
    columns_ = columns;
    fixedColumns_ = std::min(fixedColumns_, columns_);
    DropOutside();
    return true;
}

void GridCtrl::DeleteAllItems() {
    rows_ = columns_ = fixedRows_ = fixedColumns_ = 0;
    cells_.clear();
    focus_ = CellId{};
}

bool GridCtrl::SetFixedRowCount(int rows) {
    if (rows < 0) return false;
    fixedRows_ = rows;
    rows_ = std::max(rows_, rows);
    return true;
}

bool GridCtrl::SetFixedColumnCount(int columns) {
    if (columns < 0) return false;
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
    std::erase_if(cells_, [this](const auto& cell) {
        const CellId at = CellOf(cell.first);
        return !IsFixed(at.row, at.column);
    });
}

CellId GridCtrl::SetFocusCell(int row, int column) {
    const CellId previous = focus_;
    focus_ = IsValid(row, column) ? CellId{row, column} : CellId{};
    return previous;
}

void GridCtrl::RedrawNow() const { Report(platform::WindowEventKind::Redrawn, 0, {}); }

std::string GridCtrl::CheckUserCell(int row, int column) const {
    const std::string cell = "cell (" + std::to_string(row) + ", " + std::to_string(column) + ")";
    if (!IsValid(row, column))
        return cell + " is outside grid \"" + Name() + "\" of " + std::to_string(rows_) + " x " +
               std::to_string(columns_);
    if (IsFixed(row, column)) return cell + " of grid \"" + Name() + "\" is a fixed header cell";
    return {};
}

platform::ActionOutcome GridCtrl::Perform(const platform::UserAction& action) {
    const bool edit = action.verb == platform::verbs::kEditCell;
    if (!edit && action.verb != platform::verbs::kFocusCell) return Unsupported(action);
    if (auto wrong = WrongArgumentCount(action, edit ? 3 : 2)) return *wrong;
    const std::optional<int> row = ParseInteger(action.arguments[0]);
    const std::optional<int> column = ParseInteger(action.arguments[1]);
    if (!row || !column)
        return platform::ActionOutcome::Error("a cell is given by two whole numbers");
    if (std::string error = CheckUserCell(*row, *column); !error.empty())
        return platform::ActionOutcome::Error(error);
    // The user clicks a cell before typing into it, so it becomes the focus cell either way.
    focus_ = CellId{*row, *column};
    if (!edit) return platform::ActionOutcome::Notify(platform::Notification::FocusCellChanged);
    SetItemText(*row, *column, action.arguments[2]);
    return platform::ActionOutcome::Notify(platform::Notification::EndEdit);
}

void RegisterGridControlClass() {
    platform::RegisterControlClass(kGridClassName, [](const platform::ControlTemplate& from) {
        return std::make_unique<GridCtrl>(from);
    });
}

}  // namespace gridwidget
