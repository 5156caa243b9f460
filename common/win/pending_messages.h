// Letting the screen catch up: dispatching every message that is waiting,
// for example so that a confirmed dialog disappears before a long task.
#pragma once

// Dispatches all pending messages of this thread. A quit request met on the
// way is posted again, so the program's own loop still ends.
void dispatchPendingMessages();
