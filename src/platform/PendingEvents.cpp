#include "PendingEvents.h"

#include <QCoreApplication>

namespace PendingEvents {

void DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace PendingEvents
