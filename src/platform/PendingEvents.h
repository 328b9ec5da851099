// Lets the window's pending events run in the middle of long work on the window's thread.
#pragma once

namespace PendingEvents {

// Runs every event that is waiting (clicks, repaints, timers), then returns.
void DoEvents();

// Runs what may run while the thread waits in the middle of a step: repaints and a request to
// close a window. Clicks, keys and timers stay queued for the next DoEvents, so that nothing the
// user does acts in the middle of the step.
void WhileWaiting();

}  // namespace PendingEvents
