// One reset for all process-wide state of the stand-ins.
#include "platform/ProcessState.h"

#include <vector>

#include "platform/Clipboard.h"
#include "platform/GlobalMemory.h"
#include "platform/IniFile.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"
#include "platform/dialog/DialogSystem.h"

namespace platform {
namespace {

std::vector<StateReset>& Registered() {
    static std::vector<StateReset> resets;
    return resets;
}

}  // namespace

void RegisterStateReset(StateReset reset) { Registered().push_back(reset); }

void UnregisterStateReset(StateReset reset) { std::erase(Registered(), reset); }

void ResetProcessState() {
    const std::vector<StateReset>& resets = Registered();
    for (auto reset = resets.rbegin(); reset != resets.rend(); ++reset) (*reset)();
    ResetDialogSystem();
    ResetClipboard();  // before the memory: the clipboard holds blocks
    ResetGlobalMemory();
    ClearMessages();
    SetMessagePresenter({});
    ResetDriveRoot();
    ForgetParsedIniFiles();
}

}  // namespace platform
