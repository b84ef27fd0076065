// The link library's small modeless message window (template 103, one static text 9000) that
// comes back where it was last, through the library's application profile.
#pragma once

#include <string>

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/WindowEvent.h"

#include "hostlink/LinkExport.h"

namespace ravelink {

// The window's template: a popup with an empty caption, 330 x 26 units, one static text.
[[nodiscard]] platform::DialogTemplate ProgressBoxTemplate();

// Creates and shows the window without a parent (the link module must be current); nothing
// when it exists already.
void CreateProgressBox();
// Shows `text` in the window (nothing when it does not exist).
void SetProgressText(const std::string& text);
// Destroys the window, remembering its top and left.
void DestroyProgressBox();
// The text shown, whether the window exists and where it stands (tests).
[[nodiscard]] RAVELINK_API std::string ProgressBoxText();
[[nodiscard]] RAVELINK_API bool ProgressBoxExists();
[[nodiscard]] RAVELINK_API platform::PixelRect ProgressBoxPlace();

}  // namespace ravelink
