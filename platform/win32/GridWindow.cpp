// The grid's window class: drawing, scrolling, clicks and keys; its layout (GridLayout.h) and
// its in-place editor (GridEditor.h) are their own.
#include "platform/win32/GridWindow.h"

#include <algorithm>
#include <set>

#include "platform/win32/GridEditor.h"
#include "platform/win32/GridLayout.h"
#include "platform/win32/WideText.h"
#include "platform/windows/SystemHeaders.h"

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
constexpr int kWheelLines = 3;

struct GridNotification {
    NMHDR header;
    int row;
    int column;
    const wchar_t* text;
};

RECT RectOf(const platform::PixelRect& place) {
    return {place.left, place.top, place.left + place.width, place.top + place.height};
}

class Grid {
public:
    explicit Grid(HWND window)
        : window_(window),
          editor_([this](bool committed, const std::string& text) { EditEnded(committed, text); }) {
        Measure(nullptr);
    }

    // Runs `work` on this grid, which outlives work that destroys its window: the state goes
    // once the outermost work is done.
    template <class Work>
    auto Guarded(Work work) {
        ++depth_;
        struct Leave {
            Grid* grid;
            ~Leave() {
                if (--grid->depth_ == 0 && grid->gone_) delete grid;
            }
        } leave{this};
        return work();
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Attach(const platform::CellGrid* cells);
    void Refresh();
    void RedrawCell(int row, int column);
    void ShowFocus();
    // Scrolls a cell into view; its middle, or none outside the grid.
    std::optional<POINT> ScrollTo(int row, int column);
    // Opens the editor over a body cell with its own text; null for any other cell.
    HWND EditCell(int row, int column) {
        return BeginEdit(row, column, CellText(row, column), true);
    }
    [[nodiscard]] HWND Editor() const { return editor_.Box(); }
    [[nodiscard]] bool TakesInput(int row, int column) const {
        return layout_.IsBodyCell(row, column);
    }

private:
    [[nodiscard]] std::string CellText(int row, int column) const {
        return cells_ != nullptr ? cells_->ItemText(row, column) : std::string();
    }
    HWND BeginEdit(int row, int column, const std::string& text, bool selectAll);
    void EditEnded(bool committed, const std::string& text);
    void Relayout();
    void Measure(HFONT font);
    void UpdateScrollBars();
    void Scroll(GridAxis& axis, int bar, int code);
    void Paint();
    void PaintCell(HDC dc, int row, int column);
    void KeyDown(WPARAM key);
    void Notify(UINT code, int row, int column, const std::string& text = {});

    HWND window_;
    const platform::CellGrid* cells_ = nullptr;
    HFONT font_ = nullptr;
    GridLayout layout_;
    GridEditor editor_;
    platform::GridCell edited_;
    int depth_ = 0;
    bool gone_ = false;
};

Grid* GridOf(HWND window) {
    return window != nullptr ? static_cast<Grid*>(GetPropW(window, kGridProperty)) : nullptr;
}

LRESULT CALLBACK GridProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) SetPropW(window, kGridProperty, new Grid(window));
    Grid* grid = GridOf(window);
    if (grid == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return grid->Guarded([&] { return grid->Handle(message, wParam, lParam); });
}

// Runs `work` on the grid of `window`, if it is one.
template <class Work>
void OnGrid(HWND window, Work work) {
    if (Grid* grid = GridOf(window)) grid->Guarded([&] { work(*grid); });
}

void Grid::Measure(HFONT font) {
    font_ = font;
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    layout_.SetCellSize(metrics.tmAveCharWidth * kColumnCharacters + 2 * kPadding,
                        metrics.tmHeight + 2 * kPadding);
}

void Grid::Relayout() {
    RECT client{};
    GetClientRect(window_, &client);
    layout_.SetViewSize(client.right, client.bottom);
    if (cells_ != nullptr)
        layout_.SetCounts(cells_->RowCount(), cells_->ColumnCount(), cells_->FixedRowCount(),
                          cells_->FixedColumnCount());
    else
        layout_.SetCounts(0, 0, 0, 0);
    UpdateScrollBars();
}

void Grid::UpdateScrollBars() {
    for (const auto& [bar, axis] :
         {std::pair{SB_VERT, &layout_.Rows()}, std::pair{SB_HORZ, &layout_.Columns()}}) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
        info.nMin = 0;
        info.nMax = std::max(0, axis->Count() - axis->Fixed() - 1);
        info.nPage = static_cast<UINT>(axis->BodyShown());
        info.nPos = axis->First() - axis->Fixed();
        SetScrollInfo(window_, bar, &info, TRUE);
    }
}

void Grid::Attach(const platform::CellGrid* cells) {
    // An edit of cells that go is dropped, not committed.
    if (cells_ != cells) editor_.Abandon();
    cells_ = cells;
    Refresh();
}

void Grid::Refresh() {
    Relayout();
    if (Editor() != nullptr && !layout_.IsBodyCell(edited_.row, edited_.column))
        editor_.End(/*commit=*/false, /*takeFocus=*/true);
    InvalidateRect(window_, nullptr, TRUE);
    ShowFocus();
}

void Grid::RedrawCell(int row, int column) {
    const RECT rect = RectOf(layout_.CellPlace(row, column));
    InvalidateRect(window_, &rect, TRUE);
}

void Grid::ShowFocus() {
    if (cells_ == nullptr) return;
    const platform::GridCell focus = cells_->FocusCell();
    (void)ScrollTo(focus.row, focus.column);
    InvalidateRect(window_, nullptr, TRUE);
}

std::optional<POINT> Grid::ScrollTo(int row, int column) {
    if (!layout_.Contains(row, column)) return std::nullopt;
    if (layout_.Reveal(row, column)) {
        editor_.End(/*commit=*/true, /*takeFocus=*/true);
        UpdateScrollBars();
        InvalidateRect(window_, nullptr, TRUE);
    }
    const platform::PixelRect place = layout_.CellPlace(row, column);
    return POINT{place.left + place.width / 2, place.top + place.height / 2};
}

HWND Grid::BeginEdit(int row, int column, const std::string& text, bool selectAll) {
    if (!layout_.IsBodyCell(row, column)) return nullptr;
    editor_.End(/*commit=*/true, /*takeFocus=*/false);
    (void)ScrollTo(row, column);
    edited_ = {row, column};
    return editor_.Open(window_, layout_.CellPlace(row, column), text, selectAll, font_);
}

void Grid::EditEnded(bool committed, const std::string& text) {
    Guarded([&] {
        RedrawCell(edited_.row, edited_.column);
        if (committed) Notify(kEditEndedCode, edited_.row, edited_.column, text);
    });
}

void Grid::Notify(UINT code, int row, int column, const std::string& text) {
    const std::wstring wide = Widen(text);
    GridNotification notification{};
    notification.header.hwndFrom = window_;
    notification.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window_));
    notification.header.code = code;
    notification.row = row;
    notification.column = column;
    notification.text = wide.c_str();
    SendMessageW(GetParent(window_), WM_NOTIFY, notification.header.idFrom,
                 reinterpret_cast<LPARAM>(&notification));
}

void Grid::Scroll(GridAxis& axis, int bar, int code) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, bar, &info);
    const long long page = std::max(1, axis.BodyShown());
    long long first = axis.First();
    switch (code) {
        case SB_LINEUP:
            --first;
            break;
        case SB_LINEDOWN:
            ++first;
            break;
        case SB_PAGEUP:
            first -= page;
            break;
        case SB_PAGEDOWN:
            first += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            first = axis.Fixed() +
                    static_cast<long long>(info.nTrackPos);  // 32 bits, unlike the message's
            break;
        case SB_TOP:
            first = axis.Fixed();
            break;
        case SB_BOTTOM:
            first = axis.Count();
            break;
        default:
            return;
    }
    editor_.End(/*commit=*/true, /*takeFocus=*/true);
    axis.ScrollTo(first);
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, TRUE);
}

void Grid::PaintCell(HDC dc, int row, int column) {
    const bool header = !layout_.IsBodyCell(row, column);
    const platform::GridCell focus = cells_->FocusCell();
    const bool highlighted =
        !header && row == focus.row && (cells_->SelectsRows() || column == focus.column);
    RECT cell = RectOf(layout_.CellPlace(row, column));
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
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    if (cells_ != nullptr) {
        HGDIOBJ old = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        // Only the cells shown are visited, however many the grid has.
        const std::vector<int> columns = layout_.Columns().Shown();
        for (const int row : layout_.Rows().Shown())
            for (const int column : columns) PaintCell(dc, row, column);
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
    const bool arrow = key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
    if (!arrow) return;
    if (!layout_.IsBodyCell(focus.row, focus.column)) {
        // The first arrow in a grid without a focus cell chooses its first body cell.
        focus = {layout_.Rows().Fixed(), layout_.Columns().Fixed()};
    } else {
        focus.row += key == VK_DOWN ? 1 : key == VK_UP ? -1 : 0;
        focus.column += key == VK_RIGHT ? 1 : key == VK_LEFT ? -1 : 0;
    }
    // Moving the focus cell is the user's choice of a cell, as a click is.
    if (layout_.IsBodyCell(focus.row, focus.column))
        Notify(kCellClickedCode, focus.row, focus.column);
}

LRESULT Grid::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto cellAt = [&] {
        return layout_.CellAt(static_cast<short>(LOWORD(lParam)),
                              static_cast<short>(HIWORD(lParam)));
    };
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
            Relayout();
            return 0;
        case WM_VSCROLL:
            Scroll(layout_.Rows(), SB_VERT, LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            Scroll(layout_.Columns(), SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            const int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            for (int i = 0; i < std::abs(steps) * kWheelLines; ++i)
                Scroll(layout_.Rows(), SB_VERT, steps > 0 ? SB_LINEUP : SB_LINEDOWN);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            SetFocus(window_);
            const auto cell = cellAt();
            if (cell && layout_.IsBodyCell(cell->row, cell->column))
                Notify(kCellClickedCode, cell->row, cell->column);
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            if (const auto cell = cellAt()) EditCell(cell->row, cell->column);
            return 0;
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_CHAR:
            // A typed character starts an edit of the focus cell with that character.
            if (cells_ != nullptr && wParam >= L' ' && wParam != 0x7F) {
                const platform::GridCell focus = cells_->FocusCell();
                BeginEdit(focus.row, focus.column,
                          Narrow(std::wstring(1, static_cast<wchar_t>(wParam))),
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
            editor_.Abandon();
            cells_ = nullptr;
            return 0;
        case WM_NCDESTROY:
            RemovePropW(window_, kGridProperty);
            gone_ = true;
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
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
    OnGrid(grid, [&](Grid& state) { state.Attach(cells); });
}

void RefreshGrid(NativeWindow grid) {
    OnGrid(grid, [](Grid& state) { state.Refresh(); });
}

void RedrawGridCell(NativeWindow grid, int row, int column) {
    OnGrid(grid, [&](Grid& state) { state.RedrawCell(row, column); });
}

void ShowGridFocus(NativeWindow grid) {
    OnGrid(grid, [](Grid& state) { state.ShowFocus(); });
}

std::optional<GridCellPoint> ScrollToGridCell(NativeWindow grid, int row, int column) {
    std::optional<GridCellPoint> point;
    OnGrid(grid, [&](Grid& state) {
        if (const std::optional<POINT> at = state.ScrollTo(row, column))
            point = GridCellPoint{static_cast<int>(at->x), static_cast<int>(at->y),
                                  state.TakesInput(row, column)};
    });
    return point;
}

NativeWindow EditGridCell(NativeWindow grid, int row, int column) {
    NativeWindow editor = nullptr;
    OnGrid(grid, [&](Grid& state) { editor = state.EditCell(row, column); });
    return editor;
}

NativeWindow GridEditorBox(NativeWindow grid) {
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
