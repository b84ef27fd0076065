// The host's window on a screen (camhost --gui): shows the drawing and lets a person answer the
// host's requests. The host library knows only this interface; the program supplies it.
#pragma once

#include <memory>

#include "host/HostInteraction.h"

namespace host {

class Host;

class HostScreen {
public:
    virtual ~HostScreen() = default;
    // The host is ready and its drawing open: shows the window. Returns who answers the
    // host's requests from the person at the screen.
    [[nodiscard]] virtual std::unique_ptr<HostInteraction> Show(Host& host) = 0;
    // The drawing changed (a command ran): the window shows it anew.
    virtual void DrawingChanged() = 0;
    // The job is done: the window stays until the person closes it.
    virtual void WaitUntilClosed() = 0;
};

}  // namespace host
