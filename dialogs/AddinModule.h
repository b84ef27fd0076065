// The add-in's own module (Tavroset): every dialog template of the add-in lives there.
#pragma once

#include "platform/dialog/Module.h"

namespace dialogs {

// The module "Tavroset", with the add-in's templates and the grid's control class registered
// on first use. Make it current (platform::ModuleScope) before creating an add-in dialog.
platform::Module& AddinModule();

}  // namespace dialogs
