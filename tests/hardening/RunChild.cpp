// radiosift_run_child FOLDER [silent-resolver]: the main window in a process of its own, for the
// tests that kill it, close it or click it in the middle of a run. It sets kLongRun with FOLDER
// for downloads, prints where the Run button is ("button X Y", window coordinates), prints "run
// started" whenever a run starts, clicks Run, and prints "run ended: " and the bar's text when
// that run is over; it quits once the events that came meanwhile have run. With
// "silent-resolver" the live directory's servers are looked up, as the program does, from a name
// server that never answers; "looking up" is printed when it is asked.
#include "HostResolver.h"
#include "ProgressBar.h"
#include "ServerChoice.h"
#include "WindowRun.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <thread>

static void Say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// A name server that takes a minute to say it knows nothing.
class SilentResolver : public HostResolver {
public:
    QStringList addresses(const QString&) override {
        Say(QStringLiteral("looking up"));
        std::this_thread::sleep_for(std::chrono::minutes(1));
        return {};
    }
    QString nameOf(const QString&) override { return {}; }  // asked only of addresses found
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 3) return 2;
    frmMain window;
    window.show();
    Choose(window, kLongRun, arguments[1]);
    WaitingHostResolver silent(std::make_shared<SilentResolver>());
    if (arguments.value(2) == QLatin1String("silent-resolver"))
        window.radioBrowserServers().setDiscovery(
            {&silent, QRandomGenerator::global(),
             [](const QString& name) { return "https://" + name; }});
    QObject::connect(
        window.vp1, &ProgressBar::PropertyChanged, &window, [&window](const QString& name) {
            if (name == QLatin1String("Text") && window.vp1->Text() == QLatin1String("Preparing"))
                Say(QStringLiteral("run started"));
        });
    const QPoint button = window.cmdRun->mapTo(&window, window.cmdRun->rect().center());
    Say(QStringLiteral("button %1 %2").arg(button.x()).arg(button.y()));

    QTimer::singleShot(0, &window, [&window] {
        Click(window.cmdRun);
        Say(QStringLiteral("run ended: ") + window.vp1->Text());
        QTimer::singleShot(500, &window, &QApplication::quit);
    });
    return app.exec();
}
