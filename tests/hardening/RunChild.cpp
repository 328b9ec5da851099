// radiosift_run_child FOLDER CLOSE_AFTER: the main window in a process of its own, for the tests
// that kill it or close it in the middle of a run. It sets kLongRun with FOLDER for downloads,
// clicks Run, and prints "run ended: " and the bar's text when the run is over. With CLOSE_AFTER
// above 0 it closes the window, as a user would, where the run lets events run once the genre
// folder holds that many files, printing "closing" before and "close returned" after. With -1
// the window system asks the window to close, whatever the run is doing, as soon as a line
// arrives on the standard input.
#include "ProgressBar.h"
#include "WindowRun.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <thread>

static void Say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) return 2;
    const int closeAfter = arguments[2].toInt();
    frmMain window;
    window.show();
    Choose(window, kLongRun, arguments[1]);
    const QDir genreFolder(arguments[1] + QStringLiteral("/Rock"));
    auto* watch = new QTimer(&window);
    QObject::connect(watch, &QTimer::timeout, &window, [&window, watch, genreFolder, closeAfter] {
        if (!window.runInProgress() || genreFolder.entryList(QDir::Files | QDir::Hidden).size() < closeAfter) return;
        watch->stop();
        Say(QStringLiteral("closing"));
        window.close();
        Say(QStringLiteral("close returned"));
    });
    if (closeAfter > 0) watch->start(0);
    if (closeAfter < 0) {
        QWindow* handle = window.windowHandle();
        std::thread([handle] {
            char line[16];
            if (!std::fgets(line, sizeof line, stdin)) return;
            Say(QStringLiteral("closing"));
            QCoreApplication::postEvent(handle, new QCloseEvent);
        }).detach();
    }
    QTimer::singleShot(0, &window, [&window] {
        Click(window.cmdRun);
        Say(QStringLiteral("run ended: ") + window.vp1->Text());
        QApplication::quit();
    });
    return app.exec();
}
