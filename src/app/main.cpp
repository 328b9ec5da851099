// Radiosift: harvests internet-radio stations from a station directory into playlist files.
#include "CommandLine.h"
#include "frmMain.h"

#include "DirectoryHosts.h"
#include "Version.h"
#include "WholeWrite.h"

#include <unistd.h>
#include <QApplication>
#include <QList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace {

// What the window system said while the application was being made, kept until it is known
// whether a display was reached.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};
QList<HeldMessage> g_held;

QString describedVariable(const char* name) {
    return qEnvironmentVariableIsEmpty(name)
               ? QStringLiteral("%1 unset").arg(QLatin1String(name))
               : QStringLiteral("%1=%2").arg(QLatin1String(name), qEnvironmentVariable(name));
}

// Qt aborts when no platform plugin could open, after several lines of its own; without a
// display that is an ordinary mistake (a shell on a server, a session gone), so it gets one
// line and exit status 1 instead.
void holdWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const QString line =
            QStringLiteral("radiosift: no display to open the window on (%1, %2)\n")
                .arg(describedVariable("DISPLAY"), describedVariable("WAYLAND_DISPLAY"));
        std::fputs(qPrintable(line), stderr);
        _exit(1);
    }
    g_held.append({type, context.file, context.function, context.category, context.line, text});
}

// Makes the application, or ends the process as holdWhileStarting says.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(holdWhileStarting);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& held : std::exchange(g_held, {})) {
        const QMessageLogContext context(held.file.constData(), held.line,
                                         held.function.constData(), held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    return app;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Reading reading = CommandLine::read(arguments);
    switch (reading.action) {
        case CommandLine::Action::PrintHelp:
        case CommandLine::Action::PrintVersion: {
            const QString text = reading.action == CommandLine::Action::PrintHelp
                                     ? CommandLine::helpText()
                                     : CommandLine::versionText();
            if (WriteWhole(stdout, text.toLocal8Bit())) return 0;
            std::fprintf(stderr, "radiosift: cannot write to standard output: %s\n",
                         std::strerror(errno));
            return 1;
        }
        case CommandLine::Action::Refuse:
            std::fprintf(stderr, "radiosift: %s\n", qPrintable(reading.message));
            return 2;
        case CommandLine::Action::OpenWindow:
            break;
    }

    const std::unique_ptr<QApplication> app = StartApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Radiosift"));
    // Desktops find the menu entry, and with it the icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral("com.example.Radiosift"));
    QApplication::setApplicationVersion(QLatin1String(RadiosiftVersion::Text));
    QString complaint;
    DirectoryHosts::chosenDirectory(&complaint);
    if (!complaint.isEmpty()) std::fprintf(stderr, "radiosift: %s\n", qPrintable(complaint));
    frmMain window;
    window.show();
    return QApplication::exec();
}
