// The system's message queue of this thread, worked as a dialog loop works it: keys for a
// dialog go through the dialog manager (Tab, Enter, arrows), Escape is the dialog's keyboard
// cancel, everything else is dispatched.
#pragma once

#include <cstdint>

// The system's message record, declared as the system declares it.
struct tagMSG;

namespace win32 {

// Routes one message as the loop does.
void RouteMessage(tagMSG& message);
// Routes every message waiting, without waiting for more.
void PumpMessages();
// Waits until a message arrives or `milliseconds` pass (negative: for ever).
void WaitForMessages(std::int64_t milliseconds);

}  // namespace win32
