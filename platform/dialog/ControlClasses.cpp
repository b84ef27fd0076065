// The control factory: the framework's own kinds and the registered control classes.
#include "platform/dialog/ControlClasses.h"

#include <map>

#include "platform/dialog/ListControls.h"
#include "platform/dialog/StandardControls.h"

namespace platform {
namespace {

std::map<std::string, ControlFactory>& ControlClasses() {
    static std::map<std::string, ControlFactory> classes;
    return classes;
}

}  // namespace

void RegisterControlClass(const std::string& className, ControlFactory factory) {
    if (factory)
        ControlClasses()[className] = std::move(factory);
    else
        ControlClasses().erase(className);
}

Expected<std::unique_ptr<Control>> CreateControl(const ControlTemplate& from) {
    switch (from.kind) {
        case ControlKind::PushButton:
            return std::make_unique<PushButton>(from);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBox>(from);
        case ControlKind::Edit:
            return std::make_unique<Edit>(from);
        case ControlKind::StaticText:
            return std::make_unique<StaticText>(from);
        case ControlKind::GroupBox:
            return std::make_unique<GroupBox>(from);
        case ControlKind::Bitmap:
            return std::make_unique<Bitmap>(from);
        case ControlKind::ListView:
            return std::make_unique<ListView>(from);
        case ControlKind::ListBox:
            return std::make_unique<ListBox>(from);
        case ControlKind::DropDownList:
        case ControlKind::DropDown:
            return std::make_unique<ComboBox>(from);
        case ControlKind::ProgressBar:
            return std::make_unique<ProgressBar>(from);
        case ControlKind::Custom: {
            const auto found = ControlClasses().find(from.className);
            if (found == ControlClasses().end())
                return Status::Failure("control class \"" + from.className + "\" of control \"" +
                                       from.name + "\" is not registered");
            std::unique_ptr<Control> control = found->second(from);
            if (!control)
                return Status::Failure("control class \"" + from.className + "\" made no control");
            return control;
        }
    }
    return Status::Failure("unknown control kind");
}

}  // namespace platform
