// What the user does in the host between add-in commands, taken from the session script:
//   host-select KIND [LAYER]   selects every entity of KIND (point, line, arc, polyline, curve,
//                              surface, text or all) on shown layers, or on LAYER alone
//   host-unselect              clears the selection
//   host-run                   starts the next add-in command: the actions before it are done
//                              before that command, the ones after it wait for its end
#pragma once

#include <string>

#include "platform/Status.h"
#include "platform/dialog/HeadlessBackend.h"
#include "platform/dialog/SessionScript.h"

namespace host {

class Drawing;

// Whether `action` is a host action the host can take, or why not (unknown verb, wrong
// arguments).
[[nodiscard]] platform::Status CheckHostAction(const platform::ScriptAction& action);

// Takes the host actions at the front of the script in turn, recording each in the transcript,
// until a host-run (taken too), a dialog's action or the end of the script. Returns false when
// one of them was refused: the error is recorded and the script stopped.
bool PlayHostActions(Drawing& drawing, platform::HeadlessBackend& backend);

// Lets the backend hand host actions met while a dialog waits to the host, as long as the
// dialog has handed the host window over to the user (a preview): host-select and host-unselect
// are taken then; host-run, which starts a command, is refused while one runs.
void TakeHostActionsInDialogs(Drawing& drawing, platform::HeadlessBackend& backend);

}  // namespace host
