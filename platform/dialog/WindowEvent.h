// A change of a window or control, as the framework reports it to the backend.
#pragma once

#include <string>

#include "platform/dialog/WindowHandle.h"

namespace platform {

// A window's place and size on the screen, in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// What changed. Only changes are reported: setting a state a window already has is no event.
// The transcript shows the window events and the status and progress changes; the other
// control changes are for backends that show the controls.
enum class WindowEventKind {
    Created,  // a window was made (hidden); `rect` is its place and size
    Shown,
    Hidden,
    Enabled,
    Disabled,
    Focused,
    Foreground,
    Redrawn,          // an immediate redraw was requested
    Moved,            // `rect` is the window's new place and size
    Ended,            // a dialog's loop ended; `value` is its result
    Destroyed,        // the window went; `value` is kDestroyedByProgram for DestroyWindow
    Failed,           // a dialog could not be created; `value` is its template, `text` why
    ProgressChanged,  // `value` is the new position of progress bar `control`
    TextChanged,      // `text` is the new text of status control `control`
    // Control changes made from code that the transcript does not show:
    ControlEnabled,        // `value` 1 enabled, 0 disabled
    ControlShown,          // `value` 1 shown, 0 hidden
    CheckChanged,          // `value` 1 checked, 0 clear
    TextSet,               // `text` is the new text of a control that is no status control
    EntryInserted,         // entry `row` of a list, drop-down or list view is `text`
    EntrySelected,         // `row` is the selected entry, -1 none
    EntriesCleared,        // every entry went
    ColumnInserted,        // list view column `column`: heading `text`, `value` pixels wide
    ProgressRangeChanged,  // `value` is the lower and `second` the upper end
    RowCountChanged,       // a grid's rows are `value` now (its cells outside went)
    ColumnCountChanged,    // a grid's columns are `value` now
    FixedRowsChanged,      // a grid's first `value` rows are headers now
    FixedColumnsChanged,   // a grid's first `value` columns are headers now
    CellTextChanged,       // grid cell (`row`, `column`) holds `text` now
    CellsCleared,          // a grid's non-header cells were emptied
    HeaderNumbersChanged,  // `value` 1: a grid's headers without text read their numbers
    FocusCellChanged,      // a grid's focus cell is (`row`, `column`), (-1, -1) none
};

// The `value` of a Destroyed event when the program destroyed the window itself (a modeless
// window's end), rather than a modal loop's end taking it away.
inline constexpr int kDestroyedByProgram = 1;

struct WindowEvent {
    WindowEventKind kind = WindowEventKind::Shown;
    std::string window;       // the dialog's caption; empty for the host window
    bool hostWindow = false;  // the event concerns the host's main window
    std::string control;      // the control's script name ("#id" without one), for control events
    int value = 0;
    std::string text;
    PixelRect rect;
    WindowHandle handle;  // the window; 0 for a dialog that could not be created
    int controlId = 0;    // the control's identifier, for control events
    int row = 0;
    int column = 0;
    int second = 0;
};

}  // namespace platform
