// The interface behind which a backend shows dialogs: headless (scripted) or desktop.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialog/WindowEvent.h"

namespace platform {

class Dialog;

// What the framework needs from whatever shows its windows. The framework keeps all state
// (windows, controls, timers, posted messages); a backend runs loops and presents changes.
class DialogBackend {
public:
    virtual ~DialogBackend() = default;

    // Runs `dialog`'s message loop until dialog.LoopEnded(): delivers posted messages and due
    // timers (DispatchPostedMessage, FireDueTimer) and the user's input. Loops nest.
    virtual void RunLoop(Dialog& dialog) = 0;

    // A window or control changed visibly.
    virtual void OnWindowEvent(const WindowEvent& event) = 0;

    // Shows a modal message box with one OK button and returns when it was answered.
    virtual void PresentMessage(const std::string& text) = 0;

    // The backend's clock in milliseconds, which timers are measured against.
    [[nodiscard]] virtual std::int64_t NowMilliseconds() const = 0;
};

}  // namespace platform
