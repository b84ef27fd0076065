// The native grid: a window class of its own that draws a CellGrid's text cells (header rows
// and columns like headers, the focus cell highlighted), scrolls through any number of rows,
// and edits a cell in place with an edit box laid over it. It keeps no cell data: it reads
// the cells when it draws them, and tells its dialog of the user's clicks and edits by
// WM_NOTIFY.
#pragma once

#include <optional>
#include <string>

#include "platform/dialog/CellGrid.h"
#include "platform/win32/NativeHandle.h"

struct tagNMHDR;

namespace win32 {

// Registers the grid's window class under `className` (once per name), so that dialog
// templates naming it get a grid.
void RegisterGridWindowClass(const std::string& className);

// Gives the grid the cells it shows (null: none, it draws nothing).
void AttachGridCells(NativeWindow grid, const platform::CellGrid* cells);
// The cells' shape changed: the grid scrolls back inside them and redraws.
void RefreshGrid(NativeWindow grid);
// One cell's text changed.
void RedrawGridCell(NativeWindow grid, int row, int column);
// The focus cell changed: the grid scrolls it into view and redraws.
void ShowGridFocus(NativeWindow grid);

// Where a click lands on a cell, in the grid's client area.
struct GridCellPoint {
    int x = 0;
    int y = 0;
    bool takesInput = false;  // a body cell, which the user may click and edit
};
// The middle of cell (`row`, `column`) after scrolling it into view; none outside the grid.
[[nodiscard]] std::optional<GridCellPoint> ScrollToGridCell(NativeWindow grid, int row, int column);
// Opens the in-place editor over cell (`row`, `column`), as a double click does; null for a
// cell the user cannot edit.
[[nodiscard]] NativeWindow EditGridCell(NativeWindow grid, int row, int column);
// The open in-place editor, or null.
[[nodiscard]] NativeWindow GridEditorBox(NativeWindow grid);

// What a grid's WM_NOTIFY says: the user clicked a cell, or ended an edit with `text`.
struct GridNotice {
    enum class Kind { CellClicked, EditEnded };
    Kind kind = Kind::CellClicked;
    int row = -1;
    int column = -1;
    std::string text;
};
// The notice a grid's notification carries; none for a notification of another kind.
[[nodiscard]] std::optional<GridNotice> ReadGridNotice(const tagNMHDR& header);

}  // namespace win32
