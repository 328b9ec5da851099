// Lets the window's pending events run in the middle of long work on the window's thread, and
// while that thread waits for a request or a look-up.
#pragma once

#include <chrono>
#include <functional>

namespace PendingEvents {

// Runs every event that is waiting (clicks, keys, timers, repaints, closing), then returns.
void DoEvents();

// What a wait calls now and then: lets the window's events run and says whether the wait goes on
// (false: what it waits for is no longer wanted, and the wait is given up). Without one, a wait
// goes on to its end.
void setWaitHook(std::function<bool()> hook);

// How often a wait lets events run: often enough that a window repaints smoothly and takes a
// click or a close at once, seldom enough to cost nothing on a near server.
inline constexpr std::chrono::milliseconds kHookInterval{50};

// One wait of this thread for a request or a look-up, from its start to its end. Only one can be
// under way on a thread: a wait begun from within another (by an event handled during it) is not
// admitted, and its caller starts nothing. So a click during a wait can never start a second
// transfer, whatever order the events come in.
class Wait {
public:
    Wait();
    ~Wait();
    Wait(const Wait&) = delete;
    Wait& operator=(const Wait&) = delete;

    // False when another wait was under way on this thread when this one began.
    bool admitted() const { return m_admitted; }
    // Lets the window's events run; false when the wait is to be given up.
    bool goOn();
    // True while an admitted wait is under way on this thread.
    static bool underWay();

private:
    bool m_admitted;
};

}  // namespace PendingEvents
