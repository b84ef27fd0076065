// An add-in library the host has loaded, and the calls of its exports: the command
// (UserApp_nCallback, with the host's operations table) and the file hooks.
#pragma once

#include <optional>
#include <string>

#include "host/addins/AddinRegistry.h"
#include "hostlink/HostApi.h"
#include "platform/DynamicLibrary.h"
#include "platform/Status.h"

namespace host {

class Addin {
public:
    // Loads the entry's library through the path service; refused, naming the library and the
    // reason, when it does not load or does not export UserApp_nCallback.
    [[nodiscard]] static platform::Expected<Addin> Load(const AddinEntry& entry);

    // Runs the add-in's command: UserApp_nCallback with the operations table; its result.
    int RunCommand(HostApi& api) const;
    // Tells the add-in that the host opened / saved a drawing (FileOpenEntryPoint,
    // FileSaveEntryPoint); an add-in without the export is not told.
    void DrawingOpened() const;
    void DrawingSaved() const;

private:
    using Command = int (*)(void* hostApi);
    using FileHook = int (*)();

    explicit Addin(platform::DynamicLibrary library);

    platform::DynamicLibrary library_;
    Command command_ = nullptr;
    FileHook opened_ = nullptr;
    FileHook saved_ = nullptr;
};

}  // namespace host
