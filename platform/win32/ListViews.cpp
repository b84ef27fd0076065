// The list controls' entries and selection follow the framework; the user's choice is
// delivered from the controls' notifications.
#include "platform/win32/ListViews.h"

#include "platform/windows/SystemHeaders.h"

#include <commctrl.h>  // after <windows.h>, which it needs

#include "platform/dialog/ListControls.h"
#include "platform/win32/WideText.h"

namespace win32 {
namespace {

using platform::InputKind;
using platform::WindowEventKind;

int SelectionOf(const platform::Control& control) {
    const platform::EntryList* entries = control.Choices();
    return entries != nullptr ? entries->Selection() : -1;
}

int FormatOf(platform::ColumnAlignment alignment) {
    switch (alignment) {
        case platform::ColumnAlignment::Left:
            return LVCFMT_LEFT;
        case platform::ColumnAlignment::Centre:
            return LVCFMT_CENTER;
        case platform::ColumnAlignment::Right:
            return LVCFMT_RIGHT;
    }
    return LVCFMT_LEFT;
}

// The text of entry `index` of a list box (LB_*) or a drop-down (CB_*).
std::string EntryText(NativeWindow window, int index, UINT lengthMessage, UINT textMessage) {
    const LRESULT length = SendMessageW(window, lengthMessage, static_cast<WPARAM>(index), 0);
    if (index < 0 || length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window, textMessage, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return Narrow(text);
}

}  // namespace

void ListBoxView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    Quietly([&] {
        if (change.kind == WindowEventKind::EntryInserted) {
            const std::wstring text = Widen(change.text);
            SendMessageW(Window(), LB_INSERTSTRING, static_cast<WPARAM>(change.row),
                         reinterpret_cast<LPARAM>(text.c_str()));
            // The selection moves with its entry.
            SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(SelectionOf(control)), 0);
        } else if (change.kind == WindowEventKind::EntrySelected) {
            SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(change.row), 0);
        } else if (change.kind == WindowEventKind::EntriesCleared) {
            SendMessageW(Window(), LB_RESETCONTENT, 0, 0);
        }
    });
    ControlView::Apply(change, control);
}

void ListBoxView::OnCommand(unsigned code) {
    if (code != LBN_SELCHANGE) return;
    const int index = static_cast<int>(SendMessageW(Window(), LB_GETCURSEL, 0, 0));
    if (index < 0) return;
    platform::UserInput input = Input(InputKind::SelectEntry);
    input.index = index;
    Deliver(input);
}

bool ListBoxView::Feed(const platform::UserInput& input) {
    const int count = static_cast<int>(SendMessageW(Window(), LB_GETCOUNT, 0, 0));
    if (input.index < 0 || input.index >= count) return false;
    // A click on the entry: it is selected, and the list box notifies.
    SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(input.index), 0);
    NotifyDialog(LBN_SELCHANGE);
    return true;
}

NativeState ListBoxView::Probe() const {
    NativeState state = ControlView::Probe();
    state.count = static_cast<int>(SendMessageW(Window(), LB_GETCOUNT, 0, 0));
    state.selection = static_cast<int>(SendMessageW(Window(), LB_GETCURSEL, 0, 0));
    state.text = EntryText(Window(), state.selection, LB_GETTEXTLEN, LB_GETTEXT);
    return state;
}

ComboView::ComboView(NativeWindow window, const platform::Control& control, InputSink sink)
    : ControlView(window, control, std::move(sink)),
      editable_(control.Kind() == platform::ControlKind::DropDown) {
    if (editable_) ShowText(control.Text());
}

void ComboView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    Quietly([&] {
        if (change.kind == WindowEventKind::EntryInserted) {
            // The selection moves with its entry; the edit field keeps what it shows.
            const std::string kept = WindowText(Window());
            const std::wstring text = Widen(change.text);
            SendMessageW(Window(), CB_INSERTSTRING, static_cast<WPARAM>(change.row),
                         reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(SelectionOf(control)), 0);
            if (editable_) PutWindowText(Window(), kept);
        } else if (change.kind == WindowEventKind::EntrySelected) {
            // Choosing an entry from code puts its text into the edit field; none empties it.
            SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(change.row), 0);
        } else if (change.kind == WindowEventKind::EntriesCleared) {
            SendMessageW(Window(), CB_RESETCONTENT, 0, 0);
        }
    });
    ControlView::Apply(change, control);
}

void ComboView::OnCommand(unsigned code) {
    if (code == CBN_SELCHANGE) {
        const int index = static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0));
        if (index < 0) return;
        platform::UserInput input = Input(InputKind::SelectEntry);
        input.index = index;
        Deliver(input);
    } else if (code == CBN_EDITCHANGE && editable_) {
        platform::UserInput input = Input(InputKind::TypeText);
        input.text = WindowText(Window());
        Deliver(input);
    }
}

bool ComboView::Feed(const platform::UserInput& input) {
    if (input.kind == InputKind::TypeText) {
        if (!editable_) return false;
        Quietly([&] { PutWindowText(Window(), input.text); });
        NotifyDialog(CBN_EDITCHANGE);
        return true;
    }
    const int count = static_cast<int>(SendMessageW(Window(), CB_GETCOUNT, 0, 0));
    if (input.kind != InputKind::SelectEntry || input.index < 0 || input.index >= count)
        return false;
    // The entry chosen from the open list: selected, and the box notifies.
    SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(input.index), 0);
    NotifyDialog(CBN_SELCHANGE);
    return true;
}

void ComboView::ShowText(const std::string& text) {
    if (editable_) Quietly([&] { PutWindowText(Window(), text); });
}

NativeState ComboView::Probe() const {
    NativeState state = ControlView::Probe();
    state.count = static_cast<int>(SendMessageW(Window(), CB_GETCOUNT, 0, 0));
    state.selection = static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0));
    if (!editable_)
        state.text = EntryText(Window(), state.selection, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    return state;
}

ReportView::ReportView(NativeWindow window, const platform::Control& control, InputSink sink)
    : ControlView(window, control, std::move(sink)) {
    ListView_SetExtendedListViewStyle(Window(), LVS_EX_FULLROWSELECT);
    const auto& view = static_cast<const platform::ListView&>(control);
    for (int i = 0; i < static_cast<int>(view.Columns().size()); ++i) InsertColumn(i, control);
}

void ReportView::InsertColumn(int index, const platform::Control& control) {
    const auto& columns = static_cast<const platform::ListView&>(control).Columns();
    if (index < 0 || index >= static_cast<int>(columns.size())) return;
    std::wstring heading = Widen(columns[index].heading);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = FormatOf(columns[index].alignment);
    column.cx = columns[index].width;
    column.pszText = heading.data();
    SendMessageW(Window(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void ReportView::SelectOnly(int row) {
    ListView_SetItemState(Window(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0) return;
    ListView_SetItemState(Window(), row, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(Window(), row, FALSE);
}

void ReportView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    Quietly([&] {
        if (change.kind == WindowEventKind::ColumnInserted) {
            InsertColumn(change.column, control);
        } else if (change.kind == WindowEventKind::EntryInserted) {
            std::wstring text = Widen(change.text);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = change.row;
            item.pszText = text.data();
            SendMessageW(Window(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        } else if (change.kind == WindowEventKind::EntrySelected) {
            SelectOnly(change.row);
        } else if (change.kind == WindowEventKind::EntriesCleared) {
            ListView_DeleteAllItems(Window());
        }
    });
    ControlView::Apply(change, control);
}

void ReportView::OnNotify(const tagNMHDR& header) {
    if (header.code != LVN_ITEMCHANGED) return;
    const auto& changed = reinterpret_cast<const NMLISTVIEW&>(header);
    const bool selectedNow = (changed.uNewState & LVIS_SELECTED) != 0;
    const bool selectedBefore = (changed.uOldState & LVIS_SELECTED) != 0;
    if ((changed.uChanged & LVIF_STATE) == 0 || !selectedNow || selectedBefore) return;
    platform::UserInput input = Input(InputKind::SelectEntry);
    input.index = changed.iItem;
    Deliver(input);
}

bool ReportView::Feed(const platform::UserInput& input) {
    if (input.index < 0 || input.index >= ListView_GetItemCount(Window())) return false;
    // The script's choice reaches the dialog even when the item is selected already (the
    // framework takes every choice): the selection is cleared first, so that the list view
    // reports a change.
    Quietly([&] { SelectOnly(-1); });
    SelectOnly(input.index);
    return true;
}

NativeState ReportView::Probe() const {
    NativeState state = ControlView::Probe();
    state.count = ListView_GetItemCount(Window());
    state.selection = ListView_GetNextItem(Window(), -1, LVNI_SELECTED);
    if (state.selection >= 0) {
        wchar_t text[256] = {};
        ListView_GetItemText(Window(), state.selection, 0, text, 256);
        state.text = Narrow(text);
    }
    return state;
}

}  // namespace win32
