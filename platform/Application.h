// The application object of a program or library: its name, and the per-user registry key
// under which the framework would keep its settings.
#pragma once

#include <string>

namespace platform {

class Application {
public:
    // The application called `name` (a library's name, "Tavroset").
    explicit Application(std::string name) : name_(std::move(name)) {}
    virtual ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    [[nodiscard]] const std::string& Name() const { return name_; }
    // The key named by SetRegistryKey, empty until then.
    [[nodiscard]] const std::string& RegistryKey() const { return registryKey_; }
    // Where the framework would keep this application's settings in the current user's hive:
    // "Software\<key>\<name>"; empty while no key is named.
    [[nodiscard]] std::string SettingsKey() const;

protected:
    // Names the company and product key under "Software" for this application's settings.
    void SetRegistryKey(std::string key) { registryKey_ = std::move(key); }

private:
    std::string name_;
    std::string registryKey_;
};

}  // namespace platform
