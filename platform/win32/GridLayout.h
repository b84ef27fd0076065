// Where a grid's cells lie in its window: header rows and columns that never scroll, a body
// scrolled to its first row and column shown, cells of one size. Pure arithmetic, exact for as
// many rows and columns as an int counts.
#pragma once

#include <optional>
#include <vector>

#include "platform/dialog/CellGrid.h"
#include "platform/dialog/WindowEvent.h"

namespace win32 {

// One direction of a grid: its rows, or its columns. Each setter keeps the body scrolled as
// far as it can be.
class GridAxis {
public:
    // `count` lines, the first `fixed` of them headers (at most all of them).
    void SetCount(int count, int fixed);
    // Each line is `size` pixels (at least one).
    void SetSize(int size);
    // The view shows `view` pixels.
    void SetView(int view);

    [[nodiscard]] int Count() const { return count_; }
    [[nodiscard]] int Fixed() const { return fixed_; }
    // The first body line shown.
    [[nodiscard]] int First() const { return first_; }
    // How many body lines the view shows whole; at least one.
    [[nodiscard]] int BodyShown() const;
    // Shows body line `first` first, kept so that the last page of the body is full.
    void ScrollTo(long long first);
    // Scrolls a body line into view (headers never scroll); whether the view moved.
    bool Reveal(int line);
    // Where a line starts in the view; far from the lines shown it lies far outside the view.
    [[nodiscard]] int Start(int line) const;
    [[nodiscard]] int Size() const { return size_; }
    // The line at a place of the view, none where there is none.
    [[nodiscard]] std::optional<int> At(int place) const;
    // The lines the view shows, headers first.
    [[nodiscard]] std::vector<int> Shown() const;

private:
    [[nodiscard]] long long HeaderExtent() const;

    int count_ = 0;
    int fixed_ = 0;
    int size_ = 1;
    int view_ = 0;
    int first_ = 0;
};

class GridLayout {
public:
    // The grid's counts of rows and columns and of header ones.
    void SetCounts(int rows, int columns, int fixedRows, int fixedColumns);
    // Every cell's size, and the view's, in pixels.
    void SetCellSize(int width, int height);
    void SetViewSize(int width, int height);

    [[nodiscard]] GridAxis& Rows() { return rows_; }
    [[nodiscard]] GridAxis& Columns() { return columns_; }
    [[nodiscard]] const GridAxis& Rows() const { return rows_; }
    [[nodiscard]] const GridAxis& Columns() const { return columns_; }
    // Whether (row, column) lies in the grid, and whether it is a body cell (no header).
    [[nodiscard]] bool Contains(int row, int column) const;
    [[nodiscard]] bool IsBodyCell(int row, int column) const;
    // Scrolls the cell's body row and column into view; whether the view moved.
    bool Reveal(int row, int column);
    // A cell's place in the view.
    [[nodiscard]] platform::PixelRect CellPlace(int row, int column) const;
    // The cell at a point of the view, none where there is no cell.
    [[nodiscard]] std::optional<platform::GridCell> CellAt(int x, int y) const;

private:
    GridAxis rows_;
    GridAxis columns_;
};

}  // namespace win32
