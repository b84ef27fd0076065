// The grid's changes passed to its window, its notifications delivered, and a script's cell
// input given to it as clicks and edits.
#include "platform/win32/GridView.h"

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/GridWindow.h"
#include "platform/win32/WideText.h"

namespace win32 {

GridView::GridView(NativeWindow window, const platform::Control& control,
                   const platform::CellGrid& cells, InputSink sink)
    : ControlView(window, control, std::move(sink)) {
    AttachGridCells(Window(), &cells);
}

void GridView::Detach() { AttachGridCells(Window(), nullptr); }

void GridView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    using platform::WindowEventKind;
    switch (change.kind) {
        case WindowEventKind::RowCountChanged:
        case WindowEventKind::ColumnCountChanged:
        case WindowEventKind::FixedRowsChanged:
        case WindowEventKind::FixedColumnsChanged:
        case WindowEventKind::CellsCleared:
        case WindowEventKind::HeaderNumbersChanged:
            RefreshGrid(Window());
            break;
        case WindowEventKind::CellTextChanged:
            RedrawGridCell(Window(), change.row, change.column);
            break;
        case WindowEventKind::FocusCellChanged:
            ShowGridFocus(Window());
            break;
        default:
            break;
    }
    ControlView::Apply(change, control);
}

void GridView::OnNotify(const tagNMHDR& header) {
    const std::optional<GridNotice> notice = ReadGridNotice(header);
    if (!notice) return;
    const bool edited = notice->kind == GridNotice::Kind::EditEnded;
    platform::UserInput input =
        Input(edited ? platform::InputKind::EditCell : platform::InputKind::ClickCell);
    input.row = notice->row;
    input.column = notice->column;
    if (edited) input.text = notice->text;
    Deliver(input);
}

bool GridView::Feed(const platform::UserInput& input) {
    if (input.kind == platform::InputKind::EditCell) {
        // A double click opens the editor over the cell; the text typed, Enter ends the edit.
        NativeWindow editor = EditGridCell(Window(), input.row, input.column);
        if (editor == nullptr) return false;
        PutWindowText(editor, input.text);
        SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    }
    const std::optional<GridCellPoint> point = ScrollToGridCell(Window(), input.row, input.column);
    if (!point || !point->takesInput) return false;
    const LPARAM at = MAKELPARAM(point->x, point->y);
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(Window(), WM_LBUTTONUP, 0, at);
    return true;
}

NativeState GridView::Probe() const {
    NativeState state = ControlView::Probe();
    // The in-place editor's text while a cell is being edited.
    if (NativeWindow editor = GridEditorBox(Window())) state.text = WindowText(editor);
    return state;
}

}  // namespace win32
