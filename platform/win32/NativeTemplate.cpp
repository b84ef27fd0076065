// The extended dialog template, written field by field as the system reads it: the header,
// the font, then each control on a 32-bit boundary.
#include "platform/win32/NativeTemplate.h"

#include <algorithm>
#include <limits>

#include "platform/windows/SystemHeaders.h"

#include <commctrl.h>  // after <windows.h>, which it needs

#include "platform/dialog/StandardControls.h"
#include "platform/win32/WideText.h"

namespace win32 {
namespace {

// Identifiers given to controls without one of their own, beyond any a template uses.
constexpr std::uint32_t kFirstUnnamedId = 0xC000;

// The system's class of the classic dialog controls and of the common controls.
constexpr const wchar_t* kButtonClass = L"Button";
constexpr const wchar_t* kEditClass = L"Edit";
constexpr const wchar_t* kStaticClass = L"Static";
constexpr const wchar_t* kListBoxClass = L"ListBox";
constexpr const wchar_t* kComboBoxClass = L"ComboBox";

class TemplateWriter {
public:
    void Word(std::uint32_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    }
    void Dword(std::uint32_t value) {
        Word(value & 0xFFFF);
        Word(value >> 16);
    }
    // A coordinate in dialog units; the template holds 16-bit ones.
    void Coordinate(int value) {
        const int clamped = std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                            std::numeric_limits<std::int16_t>::max());
        Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(clamped)));
    }
    // A zero-terminated UTF-16 string.
    void Text(const std::wstring& text) {
        for (const wchar_t c : text) Word(static_cast<std::uint16_t>(c));
        Word(0);
    }
    void AlignToDword() {
        while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    }
    [[nodiscard]] std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

std::uint32_t DialogStyleOf(const platform::DialogStyle& style) {
    std::uint32_t bits =
        WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | DS_FIXEDSYS;
    if (style.systemMenu) bits |= WS_SYSMENU;
    return bits;
}

// The class and style bits of the native control of each kind.
void DescribeKind(const platform::Control& control, NativeItem& item) {
    const platform::ControlTemplate& origin = control.Origin();
    switch (control.Kind()) {
        case platform::ControlKind::PushButton:
            item.className = kButtonClass;
            item.style |= WS_TABSTOP | (origin.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            break;
        case platform::ControlKind::CheckBox:
            item.className = kButtonClass;
            item.style |= WS_TABSTOP | BS_AUTOCHECKBOX;
            break;
        case platform::ControlKind::Edit:
            item.className = kEditClass;
            item.style |= WS_TABSTOP | ES_AUTOHSCROLL | (origin.readOnly ? ES_READONLY : 0);
            item.extendedStyle |= WS_EX_CLIENTEDGE;
            break;
        case platform::ControlKind::StaticText:
            item.className = kStaticClass;
            item.style |= (origin.centred ? SS_CENTER : SS_LEFT) | (origin.border ? SS_SUNKEN : 0);
            break;
        case platform::ControlKind::GroupBox:
            item.className = kButtonClass;
            item.style |= BS_GROUPBOX;
            break;
        case platform::ControlKind::Bitmap:
            // The picture is the module's, handed over once the control exists: a caption
            // would be looked up as a resource of the program.
            item.className = kStaticClass;
            item.style |= SS_BITMAP;
            item.caption.clear();
            break;
        case platform::ControlKind::ProgressBar:
            item.className = PROGRESS_CLASSW;
            item.style |= WS_BORDER;
            break;
        case platform::ControlKind::ListBox:
            item.className = kListBoxClass;
            item.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            item.extendedStyle |= WS_EX_CLIENTEDGE;
            break;
        case platform::ControlKind::DropDownList:
            item.className = kComboBoxClass;
            item.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
            item.caption.clear();
            break;
        case platform::ControlKind::DropDown:
            item.className = kComboBoxClass;
            item.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            item.caption.clear();
            break;
        case platform::ControlKind::ListView:
            item.className = WC_LISTVIEWW;
            item.style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
            item.extendedStyle |= WS_EX_CLIENTEDGE;
            break;
        case platform::ControlKind::Custom:
            if (control.Cells() != nullptr) {
                // The grid's own window class, registered under the control's class name.
                item.className = Widen(origin.className);
                item.style |= WS_TABSTOP | WS_HSCROLL | WS_VSCROLL;
                item.extendedStyle |= WS_EX_CLIENTEDGE;
            } else {
                // A class that shows itself in no way the backend knows: a frame keeps its place.
                item.className = kStaticClass;
                item.style |= SS_ETCHEDFRAME;
            }
            break;
    }
}

}  // namespace

std::uint32_t NativeIdOf(const platform::Control& control, std::size_t index) {
    const int id = control.Id();
    if (id > 0 && static_cast<std::uint32_t>(id) < kFirstUnnamedId)
        return static_cast<std::uint32_t>(id);
    return kFirstUnnamedId + static_cast<std::uint32_t>(index);
}

NativeItem NativeItemOf(const platform::Control& control, std::uint32_t id) {
    NativeItem item;
    item.id = id;
    item.place = control.Place();
    item.caption = Widen(control.Text());
    item.style = WS_CHILD;
    if (control.IsVisible()) item.style |= WS_VISIBLE;
    if (!control.IsEnabled()) item.style |= WS_DISABLED;
    if (control.Origin().verticalScroll) item.style |= WS_VSCROLL;
    DescribeKind(control, item);
    return item;
}

std::vector<std::uint8_t> BuildNativeTemplate(const platform::DialogTemplate& face,
                                              const std::vector<NativeItem>& items) {
    TemplateWriter out;
    out.Word(1);       // version of the extended template
    out.Word(0xFFFF);  // its signature
    out.Dword(0);      // help context
    out.Dword(face.style.topmost ? WS_EX_TOPMOST : 0);
    out.Dword(DialogStyleOf(face.style));
    out.Word(static_cast<std::uint32_t>(std::min<std::size_t>(items.size(), 0xFFFF)));
    const platform::DialogRect origin = face.style.origin.value_or(platform::DialogRect{});
    out.Coordinate(origin.x);
    out.Coordinate(origin.y);
    out.Coordinate(face.width);
    out.Coordinate(face.height);
    out.Word(0);  // no menu
    out.Word(0);  // the system's dialog class
    out.Text(Widen(face.caption));
    out.Word(static_cast<std::uint32_t>(std::max(face.font.points, 1)));
    out.Word(FW_NORMAL);
    out.Word(DEFAULT_CHARSET << 8);  // not italic; the character set
    out.Text(Widen(face.font.face));
    for (std::size_t i = 0; i < items.size() && i < 0xFFFF; ++i) {
        const NativeItem& item = items[i];
        out.AlignToDword();
        out.Dword(0);  // help context
        out.Dword(item.extendedStyle);
        out.Dword(item.style);
        out.Coordinate(item.place.x);
        out.Coordinate(item.place.y);
        out.Coordinate(item.place.width);
        out.Coordinate(item.place.height);
        out.Dword(item.id);
        out.Text(item.className);
        out.Text(item.caption);
        out.Word(0);  // no creation data
    }
    return out.Take();
}

}  // namespace win32
