// The link library's module and its view of the host window.
#include "hostlink/LinkModule.h"

#include <cstdint>

#include "hostlink/ProgressBox.h"
#include "platform/dialog/Window.h"

namespace ravelink {

platform::Module& LinkModule() {
    static platform::Module& module = []() -> platform::Module& {
        platform::Module& link = platform::DefineModule("Ravelink03");
        // The module outlives the library: loaded again into the same process, the library
        // finds its template registered by its earlier load.
        const platform::DialogTemplate progressBox = ProgressBoxTemplate();
        if (link.FindTemplate(progressBox.id) == nullptr) link.AddTemplate(progressBox);
        return link;
    }();
    return module;
}

platform::WindowHandle WindowOfHost(HostWindow window) {
    return platform::WindowHandle{
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window))};
}

void EnableAndFocusWindow(HostWindow window) {
    const platform::WindowHandle handle = WindowOfHost(window);
    platform::EnableWindow(handle, true);
    platform::SetFocus(handle);
}

}  // namespace ravelink
