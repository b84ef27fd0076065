// The grid's in-place editor: an edit box laid over a cell. Enter, Tab or leaving the box end
// the edit with its text; Escape drops it. Its grid is told once, when the edit ends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/dialog/WindowEvent.h"
#include "platform/win32/NativeHandle.h"

struct HFONT__;

namespace win32 {

class GridEditor {
public:
    // Told when an edit ends: `committed` with the box's text, or dropped.
    using Ended = std::function<void(bool committed, const std::string& text)>;
    explicit GridEditor(Ended ended) : ended_(std::move(ended)) {}
    ~GridEditor();
    GridEditor(const GridEditor&) = delete;
    GridEditor& operator=(const GridEditor&) = delete;

    // Opens a box over `place` of `grid`, in `font`, showing `text` (all of it selected, or
    // the caret at its end), and gives it the keyboard focus. An open edit ends first, with
    // its text. Null when the system makes no box.
    NativeWindow Open(NativeWindow grid, const platform::PixelRect& place, const std::string& text,
                      bool selectAll, HFONT__* font);
    // Ends the open edit, with its text (`commit`) or dropped; with `takeFocus` the grid takes
    // the keyboard focus back from the box. Nothing without an open edit.
    void End(bool commit, bool takeFocus);
    // Lets the box go without telling anyone (its grid is going).
    void Abandon();
    // The open box, or null.
    [[nodiscard]] NativeWindow Box() const { return box_; }

    // A message of the open box (its window procedure hands them over).
    std::intptr_t Handle(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

private:
    void Release();

    NativeWindow box_ = nullptr;
    NativeWindow grid_ = nullptr;
    std::intptr_t base_ = 0;  // the edit box's own window procedure
    bool ending_ = false;
    Ended ended_;
};

}  // namespace win32
