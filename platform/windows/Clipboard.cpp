// The system's clipboard. Putting data on it needs an owner window, so the process keeps a
// hidden message-only window for that; a block put on the clipboard belongs to the system.
#include "platform/Clipboard.h"
#include "platform/windows/GlobalBlocks.h"
#include "platform/windows/SystemHeaders.h"

namespace platform {
namespace {

HGLOBAL Native(GlobalHandle handle) {
    return reinterpret_cast<HGLOBAL>(static_cast<std::uintptr_t>(handle));
}

HWND OwnerWindow() {
    static const HWND window = ::CreateWindowExA(0, "STATIC", "clipboard owner", 0, 0, 0, 0, 0,
                                                 HWND_MESSAGE, nullptr, nullptr, nullptr);
    return window;
}

bool& OpenedHere() {
    static bool opened = false;
    return opened;
}

}  // namespace

ClipboardFormat RegisterClipboardFormat(std::string_view name) {
    if (name.empty()) return 0;
    return ::RegisterClipboardFormatA(std::string(name).c_str());
}

std::string ClipboardFormatName(ClipboardFormat format) {
    char name[256];
    const int length = ::GetClipboardFormatNameA(format, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The owner asked for is a window of a backend; the clipboard is owned by the process's window.
bool OpenClipboard(const void* /*owner*/) {
    if (OpenedHere() || !::OpenClipboard(OwnerWindow())) return false;
    OpenedHere() = true;
    return true;
}

bool CloseClipboard() {
    if (!OpenedHere()) return false;
    OpenedHere() = false;
    return ::CloseClipboard() != FALSE;
}

bool EmptyClipboard() { return OpenedHere() && ::EmptyClipboard() != FALSE; }

bool SetClipboardData(ClipboardFormat format, GlobalHandle data) {
    if (!OpenedHere() || format == 0 || !IsGlobalBlock(data)) return false;
    if (::SetClipboardData(format, Native(data)) == nullptr) return false;
    HandOverGlobalBlock(data);
    return true;
}

GlobalHandle GetClipboardData(ClipboardFormat format) {
    if (!OpenedHere()) return GlobalHandle::None;
    return static_cast<GlobalHandle>(reinterpret_cast<std::uintptr_t>(::GetClipboardData(format)));
}

bool IsClipboardFormatAvailable(ClipboardFormat format) {
    return ::IsClipboardFormatAvailable(format) != FALSE;
}

// The clipboard and its formats are the system's and outlive the process: only an open
// clipboard is closed.
void ResetClipboard() { CloseClipboard(); }

}  // namespace platform
