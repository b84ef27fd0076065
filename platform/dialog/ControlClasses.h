// Creation of controls from templates, and the registry of control classes defined outside the
// framework (a Custom control names its class, as the editable grid does).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Status.h"
#include "platform/dialog/Control.h"

namespace platform {

// Makes the control of a Custom template whose class name it is registered under.
using ControlFactory = std::function<std::unique_ptr<Control>(const ControlTemplate&)>;

// Registers a control class for the life of the process; registering a name again replaces
// its factory, and an empty factory removes the class (a library being unloaded takes its
// factory's code with it).
void RegisterControlClass(const std::string& className, ControlFactory factory);

// Creates the control `from` describes, or says why there is none (a Custom control of an
// unregistered class).
[[nodiscard]] Expected<std::unique_ptr<Control>> CreateControl(const ControlTemplate& from);

}  // namespace platform
