// Creation of controls from templates, and the registry of control classes defined outside the
// framework (a Custom control names its class, as the editable grid does).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/dialog/Control.h"

namespace platform {

// Makes the control of a Custom template whose class name it is registered under.
using ControlFactory = std::function<std::unique_ptr<Control>(const ControlTemplate&)>;

// Registers a control class for the life of the process; registering a name again replaces
// its factory, and an empty factory removes the class (a library being unloaded takes its
// factory's code with it).
void RegisterControlClass(const std::string& className, ControlFactory factory);

// A created control, or the reason why there is none.
struct ControlCreation {
    std::unique_ptr<Control> control;
    std::string error;
};

// Creates the control `from` describes; a Custom control of an unregistered class is an error.
[[nodiscard]] ControlCreation CreateControl(const ControlTemplate& from);

}  // namespace platform
