// Lets the window's pending events run in the middle of long work on the window's thread, and
// while that thread waits for a request or a look-up.
#pragma once

#include <functional>

class QEventLoop;

namespace PendingEvents {

// Runs every event that is waiting (clicks, keys, timers, repaints, closing), then returns.
void DoEvents();

// Says whether the wait under way goes on (false: what it waits for is no longer wanted, and the
// wait is given up). Asked each time the events that came during a wait have run, before the
// thread sleeps again. Without one, a wait goes on to its end.
void setWaitCheck(std::function<bool()> goesOn);

// One wait of this thread for a request or a look-up, from its start to its end. Only one can be
// under way on a thread: a wait begun from within another (by an event handled during it) is not
// admitted, and its caller starts nothing. So a click during a wait can never start a second
// transfer, whatever order the events come in.
//
// The thread sleeps in its event loop while it waits, and wakes for whatever comes first: an
// event of the window system, a timer, or what the waiter watches (a socket of the transfer, the
// end of a look-up), which calls finish().
class Wait {
public:
    Wait();
    ~Wait();
    Wait(const Wait&) = delete;
    Wait& operator=(const Wait&) = delete;

    // False when another wait was under way on this thread when this one began.
    bool admitted() const { return m_admitted; }
    // Runs the thread's events until finish() is called (true) or the check gives the wait up
    // (false). Returns true at once when finish() was called before.
    bool run();
    // Ends run(): what the wait was for has come. Called from an event handled during run().
    void finish();
    // True while an admitted wait is under way on this thread.
    static bool underWay();

private:
    bool m_admitted;
    bool m_finished = false;
    QEventLoop* m_loop = nullptr;
};

}  // namespace PendingEvents
