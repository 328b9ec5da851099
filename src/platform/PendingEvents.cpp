#include "PendingEvents.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>

namespace PendingEvents {

namespace {
std::function<bool()> g_waitCheck;
thread_local bool t_waiting = false;

bool GoesOn() {
    return !g_waitCheck || g_waitCheck();
}
}  // namespace

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void setWaitCheck(std::function<bool()> goesOn) {
    g_waitCheck = std::move(goesOn);
}

Wait::Wait() : m_admitted(!t_waiting) {
    t_waiting = true;
}

Wait::~Wait() {
    if (m_admitted) t_waiting = false;
}

bool Wait::run() {
    if (m_finished) return true;
    if (!GoesOn()) return false;
    QEventLoop loop;
    // The dispatcher says it is about to sleep once it has run every event that came: the
    // moment a Stop clicked among them is seen, with no interval to wait for.
    const QMetaObject::Connection checked =
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &loop, [&loop] {
                             if (!GoesOn()) loop.exit(1);
                         });
    m_loop = &loop;
    const int ended = loop.exec();
    m_loop = nullptr;
    QObject::disconnect(checked);
    return ended == 0 && m_finished;
}

void Wait::finish() {
    m_finished = true;
    if (m_loop) m_loop->quit();
}

bool Wait::underWay() {
    return t_waiting;
}

}  // namespace PendingEvents
