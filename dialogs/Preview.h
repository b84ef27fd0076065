// The small window that stands on top while the user looks at the model in the host window;
// its one button ends the look.
#pragma once

#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"

class CPreview : public platform::Dialog {
public:
    // The window's template identifier in the add-in's module.
    static constexpr int IDD = 7006;

    explicit CPreview(platform::WindowHandle owner = {}) : Dialog(IDD, owner) {}

    // The window's face: "Close Preview" is the OK button, so pressing it ends with OK.
    [[nodiscard]] static platform::DialogTemplate Template();
};
