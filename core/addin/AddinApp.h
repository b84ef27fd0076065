// The add-in library's application object.
#pragma once

#include "platform/Application.h"

class AddinApp : public platform::Application {
public:
    // The application "Tavroset", its settings key named: the add-in keeps no settings, but the
    // framework's key is the company's.
    AddinApp();

    // The per-user registry key under "Software".
    static constexpr const char* kRegistryKey = "Tarnwick Software LLC\\Kestrane";
};

namespace core::addin {

// The library's one application object, constructed when the library is loaded.
[[nodiscard]] const AddinApp& TheAddinApp();

}  // namespace core::addin
