// What a backend needs to show a control as a grid of text cells with header rows and
// columns; a control class defined outside the framework (the editable grid) supplies it.
#pragma once

#include <string>

namespace platform {

// A cell position; (-1, -1) names no cell.
struct GridCell {
    int row = -1;
    int column = -1;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

class CellGrid {
public:
    [[nodiscard]] virtual int RowCount() const = 0;
    [[nodiscard]] virtual int ColumnCount() const = 0;
    // The leading rows and columns that are headers the user cannot edit.
    [[nodiscard]] virtual int FixedRowCount() const = 0;
    [[nodiscard]] virtual int FixedColumnCount() const = 0;
    // A cell's text as the user sees it; "" outside the grid.
    [[nodiscard]] virtual std::string ItemText(int row, int column) const = 0;
    // The focus cell, (-1, -1) for none.
    [[nodiscard]] virtual GridCell FocusCell() const = 0;
    // Whether a click selects the whole row rather than one cell.
    [[nodiscard]] virtual bool SelectsRows() const = 0;

protected:
    ~CellGrid() = default;
};

}  // namespace platform
