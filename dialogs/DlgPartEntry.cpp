// The part entry dialog's face and behaviour.
#include "dialogs/DlgPartEntry.h"

platform::DialogTemplate CDlgPartEntry::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "Part Dialog";
    face.width = 232;
    face.height = 314;
    return face;
}
