// The dialog framework's process-wide state in one object (internal to platform/dialog).
#pragma once

#include <map>
#include <memory>

#include "platform/dialog/DialogBackend.h"
#include "platform/dialog/EventQueue.h"
#include "platform/dialog/WindowHandle.h"

namespace platform {

class Window;

// Everything the framework remembers between calls; ResetDialogSystem puts it back to this
// initial state. Modules and control classes are not part of it: like loaded libraries and
// registered window classes they stay for the life of the process; the current module is
// set and restored by ModuleScope alone.
struct DialogSession {
    std::unique_ptr<DialogBackend> backend;
    std::map<WindowHandle, Window*> windows;  // every window that exists now
    EventQueue queue;
    WindowHandle focus;
    WindowHandle foreground;
    WindowHandle mainWindow;  // the owner of dialogs created without a parent
};

DialogSession& Session();

}  // namespace platform
