// ProcessMemory: this process's resident memory as the kernel counts it (/proc/self/status).
#pragma once

#include <QByteArray>
#include <QFile>

namespace ProcessMemory {

// A "Vm..." line of /proc/self/status in MiB; -1 when it cannot be read.
inline double StatusMiB(const QByteArray& key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith(key + ':')) continue;
        const QList<QByteArray> words = line.mid(key.size() + 1).simplified().split(' ');
        return words.value(0).toDouble() / 1024.0;  // given in kB
    }
    return -1;
}

inline double ResidentMiB() {
    return StatusMiB("VmRSS");
}
inline double PeakResidentMiB() {
    return StatusMiB("VmHWM");
}

// Starts the peak over from the present resident size; false when the kernel does not allow
// it (then the peak still counts everything since the process started).
inline bool ResetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

}  // namespace ProcessMemory
