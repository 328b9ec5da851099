// Lets the window's pending events run in the middle of long work on the window's thread.
#pragma once

namespace PendingEvents {

// Runs every event that is waiting (clicks, repaints, timers), then returns.
void DoEvents();

}  // namespace PendingEvents
