// The application object's settings key.
#include "platform/Application.h"

namespace platform {

std::string Application::SettingsKey() const {
    if (registryKey_.empty()) return {};
    return "Software\\" + registryKey_ + "\\" + name_;
}

}  // namespace platform
