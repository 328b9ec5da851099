#include "FakeScanHost.h"

void FakeScanHost::DoEvents() {
    ++doEventsCalls;
    if (onDoEvents) onDoEvents();
}
