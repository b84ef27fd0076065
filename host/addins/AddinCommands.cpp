// The process's loaded add-ins and the run of a command.
#include "host/addins/AddinCommands.h"

#include <map>
#include <string>

#include "host/HostApiTable.h"
#include "platform/dialog/QuotedText.h"

namespace host {
namespace {

// Keyed by the library's path as the entry writes it, so that an entry re-registered with
// another library (an installer run in between) loads that one. Never destroyed: an add-in must
// not be unloaded while what it registered with the system's services (its dialog module, its
// control classes) lives on.
std::map<std::string, Addin>& ProcessAddins() {
    static auto* const addins = new std::map<std::string, Addin>;
    return *addins;
}

}  // namespace

platform::Expected<const Addin*> LoadedAddin(const AddinEntry& entry) {
    std::map<std::string, Addin>& addins = ProcessAddins();
    if (const auto found = addins.find(entry.libraryPath); found != addins.end())
        return &found->second;
    platform::Expected<Addin> addin = Addin::Load(entry);
    if (!addin) return addin.GetStatus();
    return &addins.emplace(entry.libraryPath, std::move(*addin)).first->second;
}

int RunAddinCommand(Host& host, const AddinEntry& entry, const Addin& addin,
                    platform::HeadlessBackend* transcript) {
    if (transcript != nullptr)
        transcript->Record("run " + std::to_string(entry.number) + " " +
                           platform::QuoteText(entry.menuText));
    HostApi api = HostApiFor(host);
    return addin.RunCommand(api);
}

void TellAddinsDrawingOpened() {
    for (const auto& [number, addin] : ProcessAddins()) addin.DrawingOpened();
}

void TellAddinsDrawingSaved() {
    for (const auto& [number, addin] : ProcessAddins()) addin.DrawingSaved();
}

}  // namespace host
