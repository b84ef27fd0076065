// Loading an add-in library and calling its exports.
#include "host/addins/Addin.h"

namespace host {
namespace {

constexpr const char* kCommandExport = "UserApp_nCallback";
constexpr const char* kFileOpenExport = "FileOpenEntryPoint";
constexpr const char* kFileSaveExport = "FileSaveEntryPoint";

}  // namespace

Addin::Addin(platform::DynamicLibrary library) : library_(std::move(library)) {
    command_ = library_.FunctionNamed<Command>(kCommandExport);
    opened_ = library_.FunctionNamed<FileHook>(kFileOpenExport);
    saved_ = library_.FunctionNamed<FileHook>(kFileSaveExport);
}

platform::Expected<Addin> Addin::Load(const AddinEntry& entry) {
    platform::Expected<platform::DynamicLibrary> library =
        platform::DynamicLibrary::Load(entry.libraryPath);
    const std::string which = "the add-in \"" + entry.menuText + "\" (" + entry.libraryPath + ")";
    if (!library) return platform::Status::Failure(which + " does not load: " + library.Describe());
    Addin addin(std::move(library).Value());
    if (addin.command_ == nullptr)
        return platform::Status::Failure(which + " does not export " + kCommandExport + " (" +
                                         addin.library_.File().string() + ")");
    return addin;
}

int Addin::RunCommand(HostApi& api) const { return command_(&api); }

void Addin::DrawingOpened() const {
    if (opened_ != nullptr) opened_();
}

void Addin::DrawingSaved() const {
    if (saved_ != nullptr) saved_();
}

}  // namespace host
