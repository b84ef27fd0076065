// Module registry, current-module guard and template lookup.
#include "platform/dialog/Module.h"

#include <memory>
#include <set>
#include <vector>

#include "platform/Invariant.h"

namespace platform {
namespace {

std::vector<std::unique_ptr<Module>>& Modules() {
    static std::vector<std::unique_ptr<Module>> modules;
    return modules;
}

Module*& Current() {
    static Module* current = nullptr;
    return current;
}

}  // namespace

void Module::AddTemplate(DialogTemplate dialogTemplate) {
    std::set<std::string> names;
    for (const ControlTemplate& control : dialogTemplate.controls)
        TAVRO_INVARIANT(control.name.empty() || names.insert(control.name).second,
                        "two controls of one template share a script name");
    const int id = dialogTemplate.id;
    const bool added = templates_.emplace(id, std::move(dialogTemplate)).second;
    TAVRO_INVARIANT(added, "a module holds one template per identifier");
}

const DialogTemplate* Module::FindTemplate(int id) const {
    const auto found = templates_.find(id);
    return found == templates_.end() ? nullptr : &found->second;
}

void Module::AddBitmap(std::string name, BitmapResource bitmap) {
    TAVRO_INVARIANT(bitmap.Fits(), "a bitmap's pixels must fill its size and index its palette");
    const bool added = bitmaps_.emplace(std::move(name), std::move(bitmap)).second;
    TAVRO_INVARIANT(added, "a module holds one bitmap per name");
}

const BitmapResource* Module::FindBitmap(std::string_view name) const {
    const auto found = bitmaps_.find(name);
    return found == bitmaps_.end() ? nullptr : &found->second;
}

Module& DefineModule(std::string_view name) {
    for (const auto& module : Modules())
        if (module->Name() == name) return *module;
    Modules().push_back(std::make_unique<Module>(std::string(name)));
    return *Modules().back();
}

Module* CurrentModule() { return Current(); }

ModuleScope::ModuleScope(Module& module) : previous_(Current()) { Current() = &module; }

ModuleScope::~ModuleScope() { Current() = previous_; }

Expected<const DialogTemplate*> LookUpTemplate(int id) {
    const Module* current = CurrentModule();
    const std::string what = "dialog template " + std::to_string(id);
    if (current == nullptr) return Status::Failure(what + " asked for while no module is current");
    if (const DialogTemplate* found = current->FindTemplate(id)) return found;
    std::string error = what + " is not in module " + current->Name();
    for (const auto& module : Modules())
        if (module->FindTemplate(id) != nullptr)
            error += " (module " + module->Name() + " has one)";
    return Status::Failure(std::move(error));
}

}  // namespace platform
