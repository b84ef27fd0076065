// Part entry and placement: the part's name, its two end circles picked in the host, the index
// fixture posts, and the part geometry moved onto the chosen pin.
#pragma once

#include "core/JobData.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"

class CDlgPartEntry : public platform::Dialog {
public:
    // The dialog's template identifier in the add-in's module.
    static constexpr int IDD = 7005;

    explicit CDlgPartEntry(platform::WindowHandle owner = {}) : Dialog(IDD, owner) {}

    // The part being entered. The opener reads Part.Table and sets Part.Controller before
    // DoModal and takes Part.PartName after OK.
    PartSetup Part;

    // The dialog's face.
    [[nodiscard]] static platform::DialogTemplate Template();
};
