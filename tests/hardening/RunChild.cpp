// radiosift_run_child FOLDER [silent-resolver]: the main window in a process of its own, for the
// tests that kill it, close it or click it in the middle of a run. It sets kLongRun with FOLDER
// for downloads, prints where the Run, About and Browse buttons are ("button X Y", "about X Y",
// "browse X Y", window coordinates), prints "run started" whenever a run starts, clicks Run, and
// prints "run ended: " and the bar's text when that run is over; it quits once the events that
// came meanwhile have run. When a dialog shows, it prints where the button that closes it is
// ("dialog at X Y", in the dialog), and "dialog closed" when it is gone. With
// "silent-resolver" the live directory's servers are looked up, as the program does, from a name
// server that never answers; "looking up" is printed when it is asked.
#include "HostResolver.h"
#include "ProgressBar.h"
#include "ServerChoice.h"
#include "WindowRun.h"
#include "frmAbout.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
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

static void SayWhere(const char* name, QWidget* control, QWidget* window) {
    const QPoint centre = control->mapTo(window, control->rect().center());
    Say(QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(centre.x()).arg(centre.y()));
}

// Tells when a dialog shows and closes, and where its closing button is.
class DialogWatch : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && event->type() == QEvent::Show) {
            QPushButton* close = nullptr;
            if (const auto* about = qobject_cast<frmAbout*>(dialog)) close = about->Command1;
            if (const auto* box = dialog->findChild<QDialogButtonBox*>())
                close = box->button(QDialogButtonBox::Cancel);
            if (close) SayWhere("dialog at", close, dialog);
        } else if (dialog && dialog->isWindow() && event->type() == QEvent::Hide) {
            Say(QStringLiteral("dialog closed"));
        }
        return false;
    }
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
    SayWhere("button", window.cmdRun, &window);
    SayWhere("about", window.cmdAbout, &window);
    SayWhere("browse", window.cmdBrowse, &window);
    DialogWatch dialogs;
    app.installEventFilter(&dialogs);

    QTimer::singleShot(0, &window, [&window] {
        Click(window.cmdRun);
        Say(QStringLiteral("run ended: ") + window.vp1->Text());
        QTimer::singleShot(500, &window, &QApplication::quit);
    });
    return app.exec();
}
