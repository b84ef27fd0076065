// The height review's face and behaviour.
#include "dialogs/DlgModifyValues.h"

platform::DialogTemplate CDlgModifyValues::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "Edit the calculated TAVRO heigh values.";
    face.width = 422;
    face.height = 274;
    face.style.centred = true;
    return face;
}
