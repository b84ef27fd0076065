// The interface behind which a backend shows dialogs: headless (scripted) or desktop.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogUnits.h"
#include "platform/dialog/WindowEvent.h"

namespace platform {

class Dialog;

// What the framework needs from whatever shows its windows. The framework keeps all state
// (windows, controls, timers, posted messages); a backend runs loops, presents every change
// it is told of, and feeds the user's input to Dialog::Deliver.
class DialogBackend {
public:
    virtual ~DialogBackend() = default;

    // Runs `dialog`'s message loop until dialog.LoopEnded(): delivers posted messages and due
    // timers (DispatchPostedMessage, FireDueTimer) and the user's input. Loops nest.
    virtual void RunLoop(Dialog& dialog) = 0;

    // A window or control changed (WindowEvent lists what is reported).
    virtual void OnWindowEvent(const WindowEvent& event) = 0;

    // Shows a modal message box with one OK button and returns when it was answered.
    virtual void PresentMessage(const std::string& text) = 0;

    // The backend's clock in milliseconds, which timers are measured against.
    [[nodiscard]] virtual std::int64_t NowMilliseconds() const = 0;

    // A message was posted or a timer set: a loop waiting in a native event loop wakes to
    // look at the queue. A polling backend needs nothing.
    virtual void Wake() {}

    // Whether a person sees the windows (else a program's output must say what they show).
    [[nodiscard]] virtual bool HasScreen() const { return false; }
    // The screen's size in pixels.
    [[nodiscard]] virtual PixelSize ScreenSize() const { return {kScreenWidth, kScreenHeight}; }
    // The average character cell of `font` on this backend, which dialog units are measured in.
    [[nodiscard]] virtual CharacterCell MeasureFont(const DialogFont& font) const {
        return DefaultCharacterCell(font);
    }
    // A rectangle in dialog units as pixels for a dialog in `font`.
    [[nodiscard]] virtual PixelRect ToPixels(const DialogRect& rect, const DialogFont& font) const {
        return DialogUnitsToPixels(rect, font);
    }
};

}  // namespace platform
