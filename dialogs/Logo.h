// The picture in the main dialog's logo area.
#pragma once

#include "platform/dialog/BitmapResource.h"

namespace dialogs {

// A part lying on raised support posts over the table, 200 x 80 pixels in 16 colours.
[[nodiscard]] platform::BitmapResource TavroLogo();

}  // namespace dialogs
