// The grid's window class: drawing, scrolling, hit testing, keys and the in-place editor.
#include "platform/win32/GridWindow.h"

#include <algorithm>
#include <set>
#include <vector>

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/WideText.h"

namespace win32 {
namespace {

// The property by which a window is known to be a grid, holding its state.
constexpr const wchar_t* kGridProperty = L"Tavro.Grid";
// Notification codes of the grid, beyond the common controls' ranges.
constexpr UINT kCellClickedCode = 0x8001;
constexpr UINT kEditEndedCode = 0x8002;
// Cell padding in pixels: text keeps this far from the cell's lines.
constexpr int kPadding = 3;
// Width of a column in average characters of the grid's font (a height with its decimals).
constexpr int kColumnCharacters = 10;
constexpr int kWheelRows = 3;

struct GridNotification {
    NMHDR header;
    int row;
    int column;
    const wchar_t* text;
};

class Grid {
public:
    explicit Grid(HWND window) : window_(window) { Measure(nullptr); }

    // Handles one message of the grid or its editor; the state outlives a message that
    // destroys the window, and goes once the outermost message is done.
    LRESULT Dispatch(HWND to, UINT message, WPARAM wParam, LPARAM lParam);

    void Attach(const platform::CellGrid* cells);
    void Refresh();
    void RedrawCell(int row, int column);
    void ShowFocus();
    // Scrolls a cell into view; its middle, or none outside the grid.
    std::optional<POINT> ScrollTo(int row, int column);
    // Opens the editor over a body cell with `text`; null for any other cell.
    HWND BeginEdit(int row, int column, const std::wstring& text, bool selectAll);
    // Opens the editor with the cell's own text, all of it selected (a double click, F2).
    HWND EditCell(int row, int column);
    [[nodiscard]] HWND Editor() const { return editor_; }
    // Whether the user may click and edit the cell (a body cell).
    [[nodiscard]] bool TakesInput(int row, int column) const { return IsBodyCell(row, column); }

private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleEditor(UINT message, WPARAM wParam, LPARAM lParam);

    [[nodiscard]] int Rows() const { return cells_ != nullptr ? cells_->RowCount() : 0; }
    [[nodiscard]] int Columns() const { return cells_ != nullptr ? cells_->ColumnCount() : 0; }
    [[nodiscard]] int FixedRows() const {
        return cells_ != nullptr ? std::clamp(cells_->FixedRowCount(), 0, Rows()) : 0;
    }
    [[nodiscard]] int FixedColumns() const {
        return cells_ != nullptr ? std::clamp(cells_->FixedColumnCount(), 0, Columns()) : 0;
    }
    [[nodiscard]] bool IsBodyCell(int row, int column) const {
        return row >= FixedRows() && row < Rows() && column >= FixedColumns() && column < Columns();
    }
    [[nodiscard]] RECT Client() const;
    [[nodiscard]] int BodyRowsShown() const;
    [[nodiscard]] int BodyColumnsShown() const;
    [[nodiscard]] RECT CellRect(int row, int column) const;
    [[nodiscard]] std::optional<platform::GridCell> HitTest(int x, int y) const;

    void Measure(HFONT font);
    void Clamp();
    void UpdateScrollBars();
    void Scroll(int bar, int code);
    void Paint();
    void PaintCell(HDC dc, int row, int column, const RECT& rect);
    void KeyDown(WPARAM key);
    void EndEdit(bool commit, bool takeFocus);
    void Notify(UINT code, int row, int column, const std::wstring& text = {});

    HWND window_;
    const platform::CellGrid* cells_ = nullptr;
    HFONT font_ = nullptr;
    int rowHeight_ = 0;
    int columnWidth_ = 0;
    int topRow_ = 0;      // first body row shown
    int leftColumn_ = 0;  // first body column shown
    HWND editor_ = nullptr;
    WNDPROC editorBase_ = nullptr;
    int editRow_ = -1;
    int editColumn_ = -1;
    bool ending_ = false;
    int depth_ = 0;
    bool gone_ = false;
};

Grid* GridOf(HWND window) {
    return window != nullptr ? static_cast<Grid*>(GetPropW(window, kGridProperty)) : nullptr;
}

LRESULT CALLBACK GridProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) SetPropW(window, kGridProperty, new Grid(window));
    if (Grid* grid = GridOf(window)) return grid->Dispatch(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK EditorProcedure(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    Grid* grid = GridOf(GetParent(editor));
    if (grid != nullptr && grid->Editor() == editor)
        return grid->Dispatch(editor, message, wParam, lParam);
    // An editor its grid let go of is a plain edit box again.
    const auto base = reinterpret_cast<WNDPROC>(GetClassLongPtrW(editor, GCLP_WNDPROC));
    return CallWindowProcW(base, editor, message, wParam, lParam);
}

LRESULT Grid::Dispatch(HWND to, UINT message, WPARAM wParam, LPARAM lParam) {
    ++depth_;
    const LRESULT result =
        to == window_ ? Handle(message, wParam, lParam) : HandleEditor(message, wParam, lParam);
    if (to == window_ && message == WM_NCDESTROY) {
        RemovePropW(window_, kGridProperty);
        gone_ = true;
    }
    if (--depth_ == 0 && gone_) delete this;
    return result;
}

RECT Grid::Client() const {
    RECT client{};
    GetClientRect(window_, &client);
    return client;
}

int Grid::BodyRowsShown() const {
    const int free = static_cast<int>(Client().bottom) - FixedRows() * rowHeight_;
    return std::max(1, free / std::max(1, rowHeight_));
}

int Grid::BodyColumnsShown() const {
    const int free = static_cast<int>(Client().right) - FixedColumns() * columnWidth_;
    return std::max(1, free / std::max(1, columnWidth_));
}

RECT Grid::CellRect(int row, int column) const {
    // Offsets of cells far from the ones shown do not fit an int: they are kept off the client.
    const auto offset = [](int index, int fixed, int first, int size) {
        const long long place = index < fixed ? static_cast<long long>(index) * size
                                              : static_cast<long long>(fixed) * size +
                                                    (static_cast<long long>(index) - first) * size;
        return static_cast<int>(std::clamp<long long>(place, -0x4000'0000, 0x4000'0000));
    };
    const int top = offset(row, FixedRows(), topRow_, rowHeight_);
    const int left = offset(column, FixedColumns(), leftColumn_, columnWidth_);
    return {left, top, left + columnWidth_, top + rowHeight_};
}

std::optional<platform::GridCell> Grid::HitTest(int x, int y) const {
    if (x < 0 || y < 0 || rowHeight_ <= 0 || columnWidth_ <= 0) return std::nullopt;
    const auto index = [](int at, int fixed, int first, int size) {
        const long long fixedSize = static_cast<long long>(fixed) * size;
        return at < fixedSize ? static_cast<long long>(at / size) : first + (at - fixedSize) / size;
    };
    const long long row = index(y, FixedRows(), topRow_, rowHeight_);
    const long long column = index(x, FixedColumns(), leftColumn_, columnWidth_);
    if (row >= Rows() || column >= Columns()) return std::nullopt;
    return platform::GridCell{static_cast<int>(row), static_cast<int>(column)};
}

void Grid::Measure(HFONT font) {
    font_ = font;
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    rowHeight_ = metrics.tmHeight + 2 * kPadding;
    columnWidth_ = metrics.tmAveCharWidth * kColumnCharacters + 2 * kPadding;
}

void Grid::Clamp() {
    const int lastTop = std::max(FixedRows(), Rows() - BodyRowsShown());
    topRow_ = std::clamp(topRow_, FixedRows(), lastTop);
    const int lastLeft = std::max(FixedColumns(), Columns() - BodyColumnsShown());
    leftColumn_ = std::clamp(leftColumn_, FixedColumns(), lastLeft);
}

void Grid::UpdateScrollBars() {
    const auto set = [&](int bar, int body, int shown, int position) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
        info.nMin = 0;
        info.nMax = std::max(0, body - 1);
        info.nPage = static_cast<UINT>(shown);
        info.nPos = position;
        SetScrollInfo(window_, bar, &info, TRUE);
    };
    set(SB_VERT, Rows() - FixedRows(), BodyRowsShown(), topRow_ - FixedRows());
    set(SB_HORZ, Columns() - FixedColumns(), BodyColumnsShown(), leftColumn_ - FixedColumns());
}

void Grid::Attach(const platform::CellGrid* cells) {
    // An edit open on cells that go is dropped, not committed.
    if (cells_ != cells) EndEdit(/*commit=*/false, /*takeFocus=*/false);
    cells_ = cells;
    topRow_ = FixedRows();
    leftColumn_ = FixedColumns();
    Refresh();
}

void Grid::Refresh() {
    if (editor_ != nullptr && !IsBodyCell(editRow_, editColumn_))
        EndEdit(/*commit=*/false, /*takeFocus=*/true);
    Clamp();
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
    ShowFocus();
}

void Grid::RedrawCell(int row, int column) {
    const RECT rect = CellRect(row, column);
    InvalidateRect(window_, &rect, TRUE);
}

void Grid::ShowFocus() {
    if (cells_ == nullptr) return;
    const platform::GridCell focus = cells_->FocusCell();
    (void)ScrollTo(focus.row, focus.column);
    InvalidateRect(window_, nullptr, TRUE);
}

std::optional<POINT> Grid::ScrollTo(int row, int column) {
    if (row < 0 || row >= Rows() || column < 0 || column >= Columns()) return std::nullopt;
    const int top = topRow_;
    const int left = leftColumn_;
    // Header rows and columns never scroll; body ones come into view.
    if (row >= FixedRows()) {
        if (row < topRow_) topRow_ = row;
        if (row - topRow_ >= BodyRowsShown()) topRow_ = row - BodyRowsShown() + 1;
    }
    if (column >= FixedColumns()) {
        if (column < leftColumn_) leftColumn_ = column;
        if (column - leftColumn_ >= BodyColumnsShown())
            leftColumn_ = column - BodyColumnsShown() + 1;
    }
    Clamp();
    if (top != topRow_ || left != leftColumn_) {
        EndEdit(/*commit=*/true, /*takeFocus=*/true);
        UpdateScrollBars();
        InvalidateRect(window_, nullptr, TRUE);
    }
    const RECT rect = CellRect(row, column);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND Grid::BeginEdit(int row, int column, const std::wstring& text, bool selectAll) {
    if (!IsBodyCell(row, column)) return nullptr;
    EndEdit(/*commit=*/true, /*takeFocus=*/false);
    (void)ScrollTo(row, column);
    const RECT rect = CellRect(row, column);
    HWND editor = CreateWindowExW(0, L"Edit", text.c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, window_,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (editor == nullptr) return nullptr;
    SendMessageW(editor, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    editor_ = editor;
    editRow_ = row;
    editColumn_ = column;
    editorBase_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditorProcedure)));
    SetFocus(editor);
    const int length = static_cast<int>(text.size());
    SendMessageW(editor, EM_SETSEL, selectAll ? 0 : length, length);
    return editor;
}

HWND Grid::EditCell(int row, int column) {
    if (cells_ == nullptr) return nullptr;
    return BeginEdit(row, column, Widen(cells_->ItemText(row, column)), /*selectAll=*/true);
}

void Grid::EndEdit(bool commit, bool takeFocus) {
    if (editor_ == nullptr || ending_) return;
    ending_ = true;
    HWND editor = editor_;
    const std::wstring text = Widen(WindowText(editor));
    if (takeFocus && GetFocus() == editor) SetFocus(window_);
    editor_ = nullptr;
    // The editor may be inside one of its own messages: it goes once that is done.
    SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editorBase_));
    ShowWindow(editor, SW_HIDE);
    PostMessageW(editor, WM_CLOSE, 0, 0);
    ending_ = false;
    RedrawCell(editRow_, editColumn_);
    if (commit) Notify(kEditEndedCode, editRow_, editColumn_, text);
}

void Grid::Notify(UINT code, int row, int column, const std::wstring& text) {
    GridNotification notification{};
    notification.header.hwndFrom = window_;
    notification.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window_));
    notification.header.code = code;
    notification.row = row;
    notification.column = column;
    notification.text = text.c_str();
    SendMessageW(GetParent(window_), WM_NOTIFY, notification.header.idFrom,
                 reinterpret_cast<LPARAM>(&notification));
}

void Grid::Scroll(int bar, int code) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, bar, &info);
    const int page = static_cast<int>(std::max<UINT>(1, info.nPage));
    long long position = info.nPos;
    switch (code) {
        case SB_LINEUP:
            --position;
            break;
        case SB_LINEDOWN:
            ++position;
            break;
        case SB_PAGEUP:
            position -= page;
            break;
        case SB_PAGEDOWN:
            position += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;  // 32 bits, unlike the message's own position
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = info.nMax;
            break;
        default:
            return;
    }
    position = std::clamp<long long>(position, 0, std::max(0, info.nMax));
    EndEdit(/*commit=*/true, /*takeFocus=*/true);
    if (bar == SB_VERT)
        topRow_ = FixedRows() + static_cast<int>(position);
    else
        leftColumn_ = FixedColumns() + static_cast<int>(position);
    Clamp();
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

void Grid::PaintCell(HDC dc, int row, int column, const RECT& rect) {
    const bool header = row < FixedRows() || column < FixedColumns();
    const platform::GridCell focus = cells_->FocusCell();
    const bool inFocusRow = row == focus.row && !header;
    const bool highlighted = inFocusRow && (cells_->SelectsRows() || column == focus.column);
    RECT cell = rect;
    if (header) {
        FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
    } else {
        FillRect(dc, &cell, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        // Lines on the right and at the bottom of each cell.
        HGDIOBJ pen = SelectObject(dc, GetStockObject(DC_PEN));
        SetDCPenColor(dc, GetSysColor(COLOR_BTNFACE));
        MoveToEx(dc, cell.left, cell.bottom - 1, nullptr);
        LineTo(dc, cell.right - 1, cell.bottom - 1);
        LineTo(dc, cell.right - 1, cell.top - 1);
        SelectObject(dc, pen);
    }
    SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    std::wstring text = Widen(cells_->ItemText(row, column));
    RECT inner{cell.left + kPadding, cell.top, cell.right - kPadding, cell.bottom};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &inner,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                  (header ? DT_CENTER : DT_LEFT));
    if (row == focus.row && column == focus.column && GetFocus() == window_) {
        RECT focusRect{cell.left + 1, cell.top + 1, cell.right - 2, cell.bottom - 2};
        DrawFocusRect(dc, &focusRect);
    }
}

void Grid::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    const RECT client = Client();
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    if (cells_ != nullptr && rowHeight_ > 0 && columnWidth_ > 0) {
        HGDIOBJ old = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        // Only the cells shown are visited, however many the grid has.
        const auto shown = [](int fixed, int first, int count, int size, int extent) {
            std::vector<int> indices;
            for (int i = 0; i < fixed && i * size < extent; ++i) indices.push_back(i);
            for (long long i = first, at = static_cast<long long>(fixed) * size;
                 i < count && at < extent; ++i, at += size)
                indices.push_back(static_cast<int>(i));
            return indices;
        };
        const std::vector<int> rows =
            shown(FixedRows(), topRow_, Rows(), rowHeight_, client.bottom);
        const std::vector<int> columns =
            shown(FixedColumns(), leftColumn_, Columns(), columnWidth_, client.right);
        for (const int row : rows)
            for (const int column : columns) PaintCell(dc, row, column, CellRect(row, column));
        SelectObject(dc, old);
    }
    EndPaint(window_, &paint);
}

void Grid::KeyDown(WPARAM key) {
    if (cells_ == nullptr) return;
    platform::GridCell focus = cells_->FocusCell();
    if (key == VK_F2 || key == VK_RETURN) {
        EditCell(focus.row, focus.column);
        return;
    }
    if (!IsBodyCell(focus.row, focus.column)) {
        // The first key of a grid without a focus cell chooses its first cell.
        if (IsBodyCell(FixedRows(), FixedColumns()))
            Notify(kCellClickedCode, FixedRows(), FixedColumns());
        return;
    }
    switch (key) {
        case VK_UP:
            --focus.row;
            break;
        case VK_DOWN:
            ++focus.row;
            break;
        case VK_LEFT:
            --focus.column;
            break;
        case VK_RIGHT:
            ++focus.column;
            break;
        default:
            return;
    }
    // Moving the focus cell is the user's choice of a cell, as a click is.
    if (IsBodyCell(focus.row, focus.column)) Notify(kCellClickedCode, focus.row, focus.column);
}

LRESULT Grid::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers everything
        case WM_SETFONT:
            Measure(reinterpret_cast<HFONT>(wParam));
            Refresh();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SIZE:
            Clamp();
            UpdateScrollBars();
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
            Scroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            const int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            for (int i = 0; i < std::abs(steps) * kWheelRows; ++i)
                Scroll(SB_VERT, steps > 0 ? SB_LINEUP : SB_LINEDOWN);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            SetFocus(window_);
            const auto cell =
                HitTest(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            if (cell && IsBodyCell(cell->row, cell->column))
                Notify(kCellClickedCode, cell->row, cell->column);
            return 0;
        }
        case WM_LBUTTONDBLCLK: {
            const auto cell =
                HitTest(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            if (cell) EditCell(cell->row, cell->column);
            return 0;
        }
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_CHAR:
            // A typed character starts an edit of the focus cell with that character.
            if (cells_ != nullptr && wParam >= L' ' && wParam != 0x7F) {
                const platform::GridCell focus = cells_->FocusCell();
                BeginEdit(focus.row, focus.column, std::wstring(1, static_cast<wchar_t>(wParam)),
                          /*selectAll=*/false);
            }
            return 0;
        case WM_GETDLGCODE:
            // Enter edits the focus cell, rather than pressing the dialog's default button.
            if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
                return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE;
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window_, nullptr, TRUE);
            return 0;
        case WM_DESTROY:
            // The editor goes with the grid; nothing is committed to a dialog going away.
            if (editor_ != nullptr)
                SetWindowLongPtrW(editor_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editorBase_));
            editor_ = nullptr;
            cells_ = nullptr;
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT Grid::HandleEditor(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND editor = editor_;
    switch (message) {
        case WM_GETDLGCODE:
            // Enter, Escape and Tab end the edit rather than acting on the dialog.
            return DLGC_WANTALLKEYS | CallWindowProcW(editorBase_, editor, message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_TAB) {
                EndEdit(/*commit=*/true, /*takeFocus=*/true);
                return 0;
            }
            if (wParam == VK_ESCAPE) {
                EndEdit(/*commit=*/false, /*takeFocus=*/true);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L'\t' || wParam == 0x1B) return 0;  // no beep
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = CallWindowProcW(editorBase_, editor, message, wParam, lParam);
            EndEdit(/*commit=*/true, /*takeFocus=*/false);
            return result;
        }
        default:
            break;
    }
    return CallWindowProcW(editorBase_, editor, message, wParam, lParam);
}

}  // namespace

void RegisterGridWindowClass(const std::string& className) {
    static std::set<std::string> registered;
    if (!registered.insert(className).second) return;
    const std::wstring name = Widen(className);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS | CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = GridProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.lpszClassName = name.c_str();
    RegisterClassExW(&windowClass);
}

void AttachGridCells(NativeWindow grid, const platform::CellGrid* cells) {
    if (Grid* state = GridOf(grid)) state->Attach(cells);
}

void RefreshGrid(NativeWindow grid) {
    if (Grid* state = GridOf(grid)) state->Refresh();
}

void RedrawGridCell(NativeWindow grid, int row, int column) {
    if (Grid* state = GridOf(grid)) state->RedrawCell(row, column);
}

void ShowGridFocus(NativeWindow grid) {
    if (Grid* state = GridOf(grid)) state->ShowFocus();
}

std::optional<GridCellPoint> ScrollToGridCell(NativeWindow grid, int row, int column) {
    Grid* state = GridOf(grid);
    const std::optional<POINT> point =
        state != nullptr ? state->ScrollTo(row, column) : std::nullopt;
    if (!point) return std::nullopt;
    return GridCellPoint{static_cast<int>(point->x), static_cast<int>(point->y),
                         state->TakesInput(row, column)};
}

NativeWindow EditGridCell(NativeWindow grid, int row, int column) {
    Grid* state = GridOf(grid);
    return state != nullptr ? state->EditCell(row, column) : nullptr;
}

NativeWindow GridEditor(NativeWindow grid) {
    const Grid* state = GridOf(grid);
    return state != nullptr ? state->Editor() : nullptr;
}

std::optional<GridNotice> ReadGridNotice(const tagNMHDR& header) {
    if (header.code != kCellClickedCode && header.code != kEditEndedCode) return std::nullopt;
    const auto& notification = reinterpret_cast<const GridNotification&>(header);
    GridNotice notice;
    notice.kind = header.code == kCellClickedCode ? GridNotice::Kind::CellClicked
                                                  : GridNotice::Kind::EditEnded;
    notice.row = notification.row;
    notice.column = notification.column;
    if (notification.text != nullptr) notice.text = Narrow(notification.text);
    return notice;
}

}  // namespace win32
