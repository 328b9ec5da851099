#include "PendingEvents.h"

#include <QCoreApplication>

namespace PendingEvents {

void DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void WhileWaiting() {
    // Timers are held back too: a button's access key clicks it from a timer.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::X11ExcludeTimers);
}

}  // namespace PendingEvents
