// The progress window shown while the post heights are computed: a progress bar and a Cancel
// button that does not stop anything.
#pragma once

#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/StandardControls.h"

class CDlgPleaseWait : public platform::Dialog {
public:
    // The dialog's template identifier in the add-in's module.
    static constexpr int IDD = 7003;
    // The progress bar's identifier.
    static constexpr int kIdProgress = 1000;

    explicit CDlgPleaseWait(platform::WindowHandle owner = {}) : Dialog(IDD, owner) {}

    // The progress bar (range 0 to 100); the window must have been created.
    [[nodiscard]] platform::ProgressBar& Progress() const {
        return Item<platform::ProgressBar>(kIdProgress);
    }

    // The dialog's face.
    [[nodiscard]] static platform::DialogTemplate Template();

protected:
    // The computation never consults the window and it goes only when the run destroys it, so
    // Cancel, Escape and the system menu's Close leave it as it is.
    void OnCancel() override {}
};
