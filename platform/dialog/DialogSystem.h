// The dialog framework's process-wide services: the backend in use, timers, posted messages,
// and the reset that tests use between cases.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/dialog/DialogBackend.h"
#include "platform/dialog/WindowHandle.h"

namespace platform {

// Makes `backend` show every dialog and message box from now on (message boxes go through
// platform::ShowMessage, whose presenter this installs).
void SetDialogBackend(std::unique_ptr<DialogBackend> backend);

// The backend in use; when none was set, the one the environment chooses
// (BackendFromEnvironment) is installed first.
[[nodiscard]] DialogBackend& CurrentBackend();
// The backend in use, or null when none has been installed yet (installs none).
[[nodiscard]] DialogBackend* InstalledBackend();

// Forgets the backend, every window registration, timer and posted message, and the focus,
// foreground and main windows, and restores the default message presenter. Registered modules
// and control classes stay, and so does the current module (ModuleScope restores it).
void ResetDialogSystem();

// Starts (or restarts) timer `id` of a window: it fires every `milliseconds` by the backend's
// clock until killed or the window goes. Wakes the backend, as posting does.
void SetTimer(WindowHandle window, int id, int milliseconds);
// Stops a timer; false when the window had no such timer.
bool KillTimer(WindowHandle window, int id);
// Posts a message to a window; the running loop delivers it after the current handler.
void PostMessage(WindowHandle window, int message, std::intptr_t wParam, std::intptr_t lParam);

// For backends: delivers the oldest posted message; false when none was waiting.
bool DispatchPostedMessage();
// For backends: when the next timer is due, if any.
[[nodiscard]] std::optional<std::int64_t> NextTimerDue();
// For backends: fires the earliest timer due at or before `now`; false when none was due.
bool FireDueTimer(std::int64_t now);

}  // namespace platform
