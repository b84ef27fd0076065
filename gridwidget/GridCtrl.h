// The editable grid: rows and columns of text cells, fixed header rows and columns, a focus
// cell and in-place editing by the user. A cell costs memory only while it holds text.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/dialog/CellGrid.h"
#include "platform/dialog/Control.h"

namespace gridwidget {

// The control class name under which templates ask for the grid.
inline constexpr const char* kGridClassName = "MFCGridCtrl";

// A cell position; (-1, -1) names no cell.
using CellId = platform::GridCell;

// Whether a click selects a single cell or the whole row.
enum class SelectionMode { Cell, Row };

// Every change made from code is reported, so that a backend showing the grid follows it.
class GridCtrl : public platform::Control, public platform::CellGrid {
public:
    explicit GridCtrl(const platform::ControlTemplate& from) : Control(from) {}

    // Sets the number of rows or columns; cells and a focus cell outside the new size go.
    // False, nothing changed, for a negative count.
    bool SetRowCount(int rows);
    bool SetColumnCount(int columns);
    [[nodiscard]] int RowCount() const override { return rows_; }
    [[nodiscard]] int ColumnCount() const override { return columns_; }

    // Removes every cell: no rows, no columns, no fixed rows or columns, no focus cell.
    void DeleteAllItems();

    // Sets how many leading rows or columns are fixed (headers the user cannot edit); the
    // grid grows to hold them. False, nothing changed, for a negative count.
    bool SetFixedRowCount(int rows);
    bool SetFixedColumnCount(int columns);
    [[nodiscard]] int FixedRowCount() const override { return fixedRows_; }
    [[nodiscard]] int FixedColumnCount() const override { return fixedColumns_; }

    void SetSelectionMode(SelectionMode mode) { selectionMode_ = mode; }
    [[nodiscard]] SelectionMode GetSelectionMode() const { return selectionMode_; }
    [[nodiscard]] bool SelectsRows() const override { return selectionMode_ == SelectionMode::Row; }

    // Whether (row, column) lies inside the grid, and whether it is a header cell.
    [[nodiscard]] bool IsValid(int row, int column) const;
    [[nodiscard]] bool IsFixed(int row, int column) const;

    // Sets a cell's text; false, nothing stored, outside the grid.
    bool SetItemText(int row, int column, std::string text);
    // A cell's text; "" outside the grid. A header cell without text of its own reads its
    // number while numbered headers are on.
    [[nodiscard]] std::string ItemText(int row, int column) const override;
    // Empties every non-fixed cell; costs what the cells holding text cost, not the grid's size.
    void ClearNonFixedCells();
    // How many cells hold text (what the grid's memory grows with).
    [[nodiscard]] std::size_t StoredCellCount() const { return cells_.size(); }

    // Numbered headers: the fixed rows' cells read their column number and the fixed columns'
    // cells their row number ("%d"), the corner cells stay empty. They are made on demand, so
    // turning them on costs nothing per row or column.
    void SetNumberedHeaders(bool numbered);
    [[nodiscard]] bool NumberedHeaders() const { return numberedHeaders_; }

    // Sets the focus cell; a position outside the grid sets none. Returns the previous one.
    CellId SetFocusCell(int row, int column);
    // The focus cell, (-1, -1) for none.
    [[nodiscard]] CellId FocusCell() const override { return focus_; }

    // Redraws the grid now.
    void RedrawNow() const;

    // The user's edit of a cell (the typed text becomes the cell's text; notifies EndEdit) and
    // click on a cell (notifies FocusCellChanged), on non-fixed cells only; either makes the
    // cell the focus cell.
    [[nodiscard]] bool Takes(platform::InputKind kind) const override;
    platform::ActionOutcome EditCell(int row, int column, std::string text) override;
    platform::ActionOutcome ClickCell(int row, int column) override;
    [[nodiscard]] const platform::CellGrid* Cells() const override { return this; }
    [[nodiscard]] std::string_view KindName() const override { return "grid"; }

private:
    static std::uint64_t Key(int row, int column);
    static CellId CellOf(std::uint64_t key);
    void DropOutside();
    void ReportCount(platform::WindowEventKind kind, int count) const;
    void ReportFocus() const;
    bool StoreText(int row, int column, std::string text);
    // Whether the user may edit or click the cell, or why not.
    [[nodiscard]] platform::Status CheckUserCell(int row, int column) const;
    [[nodiscard]] std::string HeaderNumber(int row, int column) const;

    int rows_ = 0;
    int columns_ = 0;
    int fixedRows_ = 0;
    int fixedColumns_ = 0;
    SelectionMode selectionMode_ = SelectionMode::Row;
    bool numberedHeaders_ = false;
    CellId focus_;
    std::unordered_map<std::uint64_t, std::string> cells_;
};

// Registers the grid's control class with the dialog framework (idempotent).
void RegisterGridControlClass();

}  // namespace gridwidget
