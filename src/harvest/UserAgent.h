// The name every request of the program goes out under: the directories ask for one that says
// which program asks.
#pragma once

#include "Version.h"

#include <QByteArray>

inline QByteArray ProgramUserAgent() {
    return QByteArray("Radiosift/") + RadiosiftVersion::Text;
}
