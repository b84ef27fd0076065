// The dialog font on this machine and its character cell, measured as the native framework
// measures it.
#pragma once

#include <QFont>

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogUnits.h"

namespace desktop {

// The font a template's font stands for here: its face when installed, else the sans-serif
// face of the machine, at the template's point size.
[[nodiscard]] QFont DialogQFont(const platform::DialogFont& font);

// The average character width (of the 52 letters, rounded) and the height of `font`, in
// pixels.
[[nodiscard]] platform::CharacterCell MeasureCell(const QFont& font);

}  // namespace desktop
