// One call of the module at a time. The state record is one for the process, so a call made
// while another runs on another thread waits for it. A call that could wait forever is refused:
// one made on a thread that is already inside a call (from a window procedure reached during
// that call or during its wait), and one that would wait while answering a message sent by
// another thread, which may be the very call it waits for.
#pragma once

#include "platform/platform.h"

// Enters the module for the calling thread, waiting its turn if another thread is inside.
// False when the call is refused: it must leave every state alone.
bool EnterCall();

// Lets the next caller in. Nothing of ListState may be read after it.
void LeaveCall();

// Runs the work of an export inside the module and answers the error code it gives back, or
// ERROR_POSSIBLE_DEADLOCK when the call is refused; the caller sets the last error from it.
template <typename Work>
DWORD Guarded(Work work) {
    if (!EnterCall()) return ERROR_POSSIBLE_DEADLOCK;
    const DWORD error = work();
    LeaveCall();
    return error;
}
