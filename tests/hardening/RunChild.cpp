// radiosift_run_child: the program's main window in a process of its own, for the tests that
// kill it or close it in the middle of a run. It shows the window, sets the run options given
// on its command line (see RunOptions), clicks Run once the event loop runs, and prints
// "run ended: " and the bar's text when the run is over.
//
// --close-after-files N closes the window, as a user would, at the first point where the run
// lets events run once the genre folder holds N files. It prints "closing" before the close
// and "close returned" if the close did not end the program.
#include "ProgressBar.h"
#include "RunOptions.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

void Say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    int closeAfterFiles = 0;
    const qsizetype close = arguments.indexOf(QStringLiteral("--close-after-files"));
    if (close >= 0 && close + 1 < arguments.size()) {
        closeAfterFiles = arguments[close + 1].toInt();
        arguments.remove(close, 2);
    }
    const std::optional<RunOptions> options = RunOptions::fromArguments(arguments);
    if (!options) {
        std::fprintf(stderr, "radiosift_run_child: unknown arguments\n");
        return 2;
    }

    frmMain window;
    if (!ApplyRunOptions(window, *options)) {
        std::fprintf(stderr, "radiosift_run_child: an option names no entry of its list\n");
        return 2;
    }
    window.show();

    if (closeAfterFiles > 0) {
        const QDir genreFolder(options->downloadPath + QDir::separator() + options->genre);
        auto* watch = new QTimer(&window);
        QObject::connect(watch, &QTimer::timeout, &window, [&window, watch, genreFolder,
                                                              closeAfterFiles] {
            if (!window.runInProgress()) return;
            if (genreFolder.entryList(QDir::Files | QDir::Hidden).size() < closeAfterFiles) return;
            watch->stop();
            Say(QStringLiteral("closing"));
            window.close();
            Say(QStringLiteral("close returned"));
        });
        watch->start(0);
    }

    QTimer::singleShot(0, &window, [&window] {
        QTest::mouseClick(window.cmdRun, Qt::LeftButton);
        Say(QStringLiteral("run ended: ") + window.vp1->Text());
        QApplication::quit();
    });
    return app.exec();
}
