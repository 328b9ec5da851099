#include "PendingEvents.h"

#include <QCoreApplication>

namespace PendingEvents {

namespace {
std::function<bool()> g_waitHook;
thread_local bool t_waiting = false;
}  // namespace

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void setWaitHook(std::function<bool()> hook) {
    g_waitHook = std::move(hook);
}

Wait::Wait() : m_admitted(!t_waiting) {
    t_waiting = true;
}

Wait::~Wait() {
    if (m_admitted) t_waiting = false;
}

bool Wait::goOn() {
    return !g_waitHook || g_waitHook();
}

bool Wait::underWay() {
    return t_waiting;
}

}  // namespace PendingEvents
