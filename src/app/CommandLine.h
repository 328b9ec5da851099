// The program's command line: --help and --version, answered before any window system is asked
// for; everything else is refused, since the window holds every option.
#pragma once

#include <QString>
#include <QStringList>

namespace CommandLine {

enum class Action {
    OpenWindow,    // no arguments
    PrintHelp,     // -h or --help (wins over --version)
    PrintVersion,  // --version
    Refuse,        // anything else; the message says what was refused
};

struct Reading {
    Action action = Action::OpenWindow;
    QString message;  // for Refuse: one line naming the argument, without the program's name
};

// Reads the arguments after the program's name.
Reading read(const QStringList& arguments);

// The text --help prints, ending in a line end.
QString helpText();
// The text --version prints: "radiosift" and the version, ending in a line end.
QString versionText();

}  // namespace CommandLine
