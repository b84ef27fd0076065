// A named desktop for the thread; under Wine its size is recorded where Wine's desktop looks
// for the size of a virtual desktop.
#include "platform/win32/OwnDesktop.h"

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/WideText.h"

namespace win32 {
namespace {

// Where Wine looks up the size of a named desktop, which makes it a virtual desktop.
constexpr const wchar_t* kWineDesktopSizes = L"Software\\Wine\\Explorer\\Desktops";

bool RunsUnderWine() {
    HMODULE system = GetModuleHandleW(L"ntdll.dll");
    return system != nullptr && GetProcAddress(system, "wine_get_version") != nullptr;
}

void RecordWineDesktopSize(const std::wstring& name, platform::PixelSize size) {
    HKEY sizes = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kWineDesktopSizes, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &sizes, nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring value = std::to_wstring(size.width) + L"x" + std::to_wstring(size.height);
    RegSetValueExW(sizes, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(sizes);
}

}  // namespace

bool MoveToOwnDesktop(const std::string& name, platform::PixelSize size) {
    const std::wstring wide = Widen(name);
    if (RunsUnderWine()) RecordWineDesktopSize(wide, size);
    HDESK desktop = CreateDesktopW(wide.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return desktop != nullptr && SetThreadDesktop(desktop) != FALSE;
}

}  // namespace win32
