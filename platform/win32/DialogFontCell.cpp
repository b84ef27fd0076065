// Measuring a dialog font on a hidden dialog of the system, so that conversions made before a
// dialog exists agree with its dialog manager.
#include "platform/win32/DialogFontCell.h"

#include <map>
#include <utility>

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/NativeTemplate.h"

namespace win32 {
namespace {

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

platform::CharacterCell Measure(const platform::DialogFont& font) {
    platform::DialogTemplate probe;
    probe.width = 4;
    probe.height = 8;
    probe.font = font;
    const std::vector<std::uint8_t> bytes = BuildNativeTemplate(probe, {});
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<const DLGTEMPLATE*>(bytes.data()),
                                             nullptr, IgnoreEverything, 0);
    if (dialog == nullptr) return platform::DefaultCharacterCell(font);
    RECT cell{0, 0, 4, 8};  // one average character in dialog units
    MapDialogRect(dialog, &cell);
    DestroyWindow(dialog);
    return {cell.right, cell.bottom};
}

}  // namespace

platform::CharacterCell DialogFontCell(const platform::DialogFont& font) {
    static std::map<std::pair<std::string, int>, platform::CharacterCell> measured;
    const auto key = std::make_pair(font.face, font.points);
    const auto found = measured.find(key);
    if (found != measured.end()) return found->second;
    return measured[key] = Measure(font);
}

}  // namespace win32
