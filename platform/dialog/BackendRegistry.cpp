// The registry of dialog backends and the choice by name or environment.
#include "platform/dialog/BackendRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/dialog/HeadlessBackend.h"

namespace platform {
namespace {

std::map<std::string, BackendFactory, std::less<>>& Factories() {
    static std::map<std::string, BackendFactory, std::less<>> factories = {
        {std::string(kHeadlessBackendName), [](const BackendSettings& settings) {
             return std::unique_ptr<DialogBackend>(
                 MakeHeadlessBackend(settings.script, settings.transcript));
         }}};
    return factories;
}

}  // namespace

void RegisterDialogBackend(const std::string& name, BackendFactory factory) {
    if (factory)
        Factories()[name] = std::move(factory);
    else
        Factories().erase(name);
}

std::vector<std::string> DialogBackendNames() {
    std::vector<std::string> names;
    for (const auto& [name, factory] : Factories()) names.push_back(name);
    return names;
}

std::unique_ptr<DialogBackend> MakeDialogBackend(std::string_view name,
                                                 const BackendSettings& settings) {
    const auto found = Factories().find(name);
    return found == Factories().end() ? nullptr : found->second(settings);
}

std::unique_ptr<DialogBackend> ChooseDialogBackend(std::string_view name,
                                                   const BackendSettings& settings) {
    if (name.empty()) name = kHeadlessBackendName;
    if (std::unique_ptr<DialogBackend> chosen = MakeDialogBackend(name, settings)) return chosen;
    if (Factories().contains(name)) {
        // The backend exists but could not start (it said why).
        std::fprintf(stderr, "the dialog backend \"%.*s\" cannot start; using %s\n",
                     static_cast<int>(name.size()), name.data(),
                     std::string(kHeadlessBackendName).c_str());
        return MakeDialogBackend(kHeadlessBackendName, settings);
    }
    std::string known;
    for (const std::string& each : DialogBackendNames())
        known += (known.empty() ? "" : ", ") + each;
    std::fprintf(stderr,
                 "no dialog backend is named \"%.*s\" in this program (it has: %s); using %s\n",
                 static_cast<int>(name.size()), name.data(), known.c_str(),
                 std::string(kHeadlessBackendName).c_str());
    return MakeDialogBackend(kHeadlessBackendName, settings);
}

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return std::string(value != nullptr ? value : "");
}

}  // namespace

BackendSettings BackendSettingsFromEnvironment() {
    return {Variable(kSessionScriptVariable), Variable(kTranscriptVariable)};
}

std::unique_ptr<DialogBackend> BackendFromEnvironment() {
    return ChooseDialogBackend(Variable(kDialogBackendVariable), BackendSettingsFromEnvironment());
}

}  // namespace platform
