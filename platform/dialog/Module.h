// Modules (one per library) that own dialog templates, and the guard that makes one current.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/Status.h"
#include "platform/dialog/BitmapResource.h"
#include "platform/dialog/DialogTemplate.h"

namespace platform {

// A library's resources: its dialog templates by identifier and its bitmaps by name.
class Module {
public:
    explicit Module(std::string name) : name_(std::move(name)) {}
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    [[nodiscard]] const std::string& Name() const { return name_; }
    // Adds a template. A second template with the same identifier, or two controls of one
    // template with the same script name, are programming errors and stop the process.
    void AddTemplate(DialogTemplate dialogTemplate);
    // The template with this identifier, or null.
    [[nodiscard]] const DialogTemplate* FindTemplate(int id) const;
    // Every template, by identifier.
    [[nodiscard]] const std::map<int, DialogTemplate>& Templates() const { return templates_; }

    // Adds a bitmap under `name` (a bitmap control's caption names it). A second bitmap of the
    // same name, or one whose pixels do not fit its size and palette, stops the process.
    void AddBitmap(std::string name, BitmapResource bitmap);
    // The bitmap of this name, or null.
    [[nodiscard]] const BitmapResource* FindBitmap(std::string_view name) const;

private:
    std::string name_;
    std::map<int, DialogTemplate> templates_;
    std::map<std::string, BitmapResource, std::less<>> bitmaps_;
};

// The module of this name, created on first use; it lives as long as the process.
Module& DefineModule(std::string_view name);

// The module whose templates dialogs are created from now, or null.
[[nodiscard]] Module* CurrentModule();

// Makes a module current for the lifetime of the scope and restores the previous one.
class ModuleScope {
public:
    explicit ModuleScope(Module& module);
    ~ModuleScope();
    ModuleScope(const ModuleScope&) = delete;
    ModuleScope& operator=(const ModuleScope&) = delete;

private:
    Module* previous_;
};

// Looks `id` up in the current module only, never falling back to another module; when it is
// not there, the status says where it is instead.
[[nodiscard]] Expected<const DialogTemplate*> LookUpTemplate(int id);

}  // namespace platform
