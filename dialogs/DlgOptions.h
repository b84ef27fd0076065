// The options dialog: the job defaults a to h in one window. It holds no data: it opens empty
// every time and nothing entered in it is read or kept.
#pragma once

#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"

class CDlgOptions : public platform::Dialog {
public:
    // The dialog's template identifier in the add-in's module.
    static constexpr int IDD = 7002;

    // Control identifiers.
    enum : int {
        kIdInputInch = 1001,
        kIdInputMetric,
        kIdOutputInch,
        kIdOutputMetric,
        kIdTableInch,
        kIdTableMetric,
        kIdTableFile,
        kIdTableFileBrowse,
        kIdGraphicsLayer,
        kIdDeflectorDiameter,
        kIdDeflectorThickness,
        kIdMaxAngle,
    };

    explicit CDlgOptions(platform::WindowHandle owner = {}) : Dialog(IDD, owner) {}

    // The dialog's face.
    [[nodiscard]] static platform::DialogTemplate Template();
};
