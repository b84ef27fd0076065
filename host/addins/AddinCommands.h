// What the host does with its add-ins' menu entries, whoever chooses them (camhost's --run, or
// a person in camhost's Add-ins menu): loads each add-in once, runs its command on the host, and
// tells the loaded add-ins when the drawing was opened or saved.
#pragma once

#include "host/Host.h"
#include "host/addins/Addin.h"
#include "platform/Status.h"
#include "platform/dialog/HeadlessBackend.h"

namespace host {

// The entry's add-in, loaded on the first call and kept until the process ends (what an add-in
// registered with the system's services lives that long); refused as Addin::Load refuses.
[[nodiscard]] platform::Expected<const Addin*> LoadedAddin(const AddinEntry& entry);

// Runs the command of `entry`, whose add-in is `addin`, on `host`: the transcript's
// `run NUMBER "MENU TEXT"` line (when `transcript` is given), then UserApp_nCallback with the
// host's operations table.
int RunAddinCommand(Host& host, const AddinEntry& entry, const Addin& addin,
                    platform::HeadlessBackend* transcript);

// Tells every loaded add-in that the host opened / saved a drawing.
void TellAddinsDrawingOpened();
void TellAddinsDrawingSaved();

}  // namespace host
