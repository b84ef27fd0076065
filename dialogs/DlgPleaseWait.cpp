// The progress window's face.
#include "dialogs/DlgPleaseWait.h"

using platform::ControlKind;
using platform::MakeControl;

platform::DialogTemplate CDlgPleaseWait::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "Calculating TAVRO Heights - Please Wait";
    face.width = 299;
    face.height = 28;
    face.style.centred = true;
    face.style.systemMenu = true;
    face.controls = {
        MakeControl(ControlKind::ProgressBar, kIdProgress, "progress", {}, {7, 7, 218, 14}),
        MakeControl(ControlKind::PushButton, platform::kIdCancel, "cancel", "Cancel",
                    {242, 7, 50, 14}),
    };
    return face;
}
