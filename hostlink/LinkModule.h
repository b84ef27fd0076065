// The link library's own module (its dialog templates), the scope that makes it current, and
// the host window as the link library reaches it.
#pragma once

#include "hostlink/HostApi.h"
#include "hostlink/LinkExport.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/WindowHandle.h"

namespace ravelink {

// The module "Ravelink03" with the library's templates, registered on first use.
RAVELINK_API platform::Module& LinkModule();

// Makes the link library's module current for the duration of a call.
class RAVELINK_API LibraryModuleScope {
public:
    LibraryModuleScope() : scope_(LinkModule()) {}

private:
    platform::ModuleScope scope_;
};

// The window a host window value names: the host hands out its main window's handle value.
[[nodiscard]] RAVELINK_API platform::WindowHandle WindowOfHost(HostWindow window);

// Enables the window and gives it the keyboard focus.
RAVELINK_API void EnableAndFocusWindow(HostWindow window);

}  // namespace ravelink
