// The host's requests of the user answered by the session script of the headless backend.
#pragma once

#include "host/HostInteraction.h"

namespace host {

// Takes each answer from the next line of the session script, which must be the host action:
//   select-entities X Y Z [X Y Z ...]   clicks at these places
//   select-entities cancel
//   pick-location X Y Z
//   pick-location cancel
// A missing or malformed line is an error of the script (recorded in the transcript, the script
// stops) and cancels the request; without a headless backend every request is cancelled.
class ScriptedInteraction : public HostInteraction {
public:
    std::optional<std::vector<HostVector3>> SelectionClicks(int mode) override;
    std::optional<HostVector3> PickLocation() override;
};

}  // namespace host
