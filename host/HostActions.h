// What the user does in the host between add-in commands, taken from the session script:
//   host-select KIND [LAYER]   selects every entity of KIND (point, line, arc, polyline, curve,
//                              surface, text or all) on shown layers, or on LAYER alone
//   host-unselect              clears the selection
#pragma once

#include <string>

#include "platform/dialog/HeadlessBackend.h"
#include "platform/dialog/SessionScript.h"

namespace host {

class Drawing;

// Why `action` is not a host action the host can take (unknown verb, wrong arguments), or empty.
[[nodiscard]] std::string CheckHostAction(const platform::ScriptAction& action);

// Takes the host actions at the front of the script in turn, until the script's next action is
// a dialog's (or there is none), recording each in the transcript. Returns false when one of
// them was refused: the error is recorded and the script stopped.
bool PlayHostActions(Drawing& drawing, platform::HeadlessBackend& backend);

}  // namespace host
