// The preview window's face. It has no data: the framework's OK ends it.
#include "dialogs/Preview.h"

platform::DialogTemplate CPreview::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "Preview";
    face.width = 64;
    face.height = 37;
    face.style.origin = platform::DialogRect{0, 100, 0, 0};
    face.style.topmost = true;
    face.style.systemMenu = false;
    face.controls = {
        platform::MakeControl(platform::ControlKind::PushButton, platform::kIdOk, "close-preview",
                              "Close Preview", {5, 11, 54, 14})
            .Default(),
    };
    return face;
}
