// Whether a process of this machine is still running.
#pragma once

#include <QtGlobal>

// True while a process with this id runs, whoever owns it. Where that cannot be told, every
// process counts as running.
bool ProcessIsRunning(qint64 pid);
