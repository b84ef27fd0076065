// The process-wide state of the stand-ins, put back as a fresh process has it in one call, so
// that tests never see each other's leftovers.
#pragma once

namespace platform {

// Puts one library's process-wide state back as a fresh process has it.
using StateReset = void (*)();

// Adds `reset` to what ResetProcessState runs; a library with state of its own registers its
// reset once, when it is loaded.
void RegisterStateReset(StateReset reset);
// Removes `reset` again; a library that can be unloaded must, or the next ResetProcessState
// would call code that is gone.
void UnregisterStateReset(StateReset reset);

// Keeps `reset` registered for as long as it lives. A library holds one as a static object, so
// its reset goes with it when the library is unloaded.
class StateResetRegistration {
public:
    explicit StateResetRegistration(StateReset reset) : reset_(reset) {
        RegisterStateReset(reset_);
    }
    ~StateResetRegistration() { UnregisterStateReset(reset_); }
    StateResetRegistration(const StateResetRegistration&) = delete;
    StateResetRegistration& operator=(const StateResetRegistration&) = delete;

private:
    StateReset reset_;
};

// Runs the registered resets (the last registered first), then resets the services of this
// library: dialog system and message presenter, clipboard, global memory, messages shown, the
// drive root and the ini files kept parsed.
void ResetProcessState();

}  // namespace platform
