#include "WindowHarvest.h"

#include "Figures.h"
#include "ProgressBar.h"
#include "frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

void Select(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    if (index < 0) throw std::runtime_error("the window offers no " + text.toStdString());
    list->setCurrentIndex(index);
}

}  // namespace

HarvestOutcome HarvestThroughWindow(const HarvestOptions& options,
                                    const std::function<void()>& beforeRun,
                                    const std::function<void()>& afterRun) {
    frmMain window;
    window.show();
    QApplication::processEvents();

    window.txtDL->setText(options.downloadDir);
    Select(window.CmbGenre, options.genre);
    Select(window.CmbNumber, options.stations);
    Select(window.cmbStream, options.stream);
    window.cmbMinBit->setCurrentIndex(0);  // no minimum bitrate
    window.chk100->setChecked(true);       // pages of 100
    QApplication::processEvents();
    if (beforeRun) beforeRun();

    HarvestOutcome outcome;
    const double cpuBefore = ProcessCpuSeconds();
    const double systemBefore = ProcessSystemSeconds();
    QElapsedTimer clock;
    clock.start();
    window.cmdRun->click();  // returns when the run has ended
    outcome.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    outcome.cpuSeconds = ProcessCpuSeconds() - cpuBefore;
    outcome.systemSeconds = ProcessSystemSeconds() - systemBefore;
    outcome.ending = window.vp1->Text();
    outcome.done = outcome.ending == QLatin1String("Done");
    if (afterRun) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        afterRun();
    }

    // Without filters every entry read is saved, in the order it was read.
    const ScanState& state = window.scanState();
    for (int i = 1; i <= state.StationCount; ++i) {
        if (!state.Stations[i].FileName.isEmpty()) outcome.saved << state.Stations[i];
    }
    return outcome;
}

int WindowBenchMain(int argc, char** argv, const char* name,
                    const QList<QCommandLineOption>& options,
                    const std::function<int(const QCommandLineParser&)>& run) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions(options);
    parser.process(app);
    try {
        return run(parser);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 1;
    }
}

int HarvestBenchMain(int argc, char** argv, const char* name,
                     const std::function<int(int stations, int rounds, int delayMs)>& run) {
    return WindowBenchMain(
        argc, argv, name,
        {{QStringLiteral("stations"),
          QStringLiteral("Stations to harvest (a count the window offers)."), QStringLiteral("N"),
          QStringLiteral("1000")},
         {QStringLiteral("rounds"), QStringLiteral("Timed rounds of each side."),
          QStringLiteral("R"), QStringLiteral("5")},
         {QStringLiteral("delay-ms"),
          QStringLiteral("Milliseconds the directory waits before every answer."),
          QStringLiteral("D"), QStringLiteral("0")}},
        [&run](const QCommandLineParser& parser) {
            return run(parser.value(QStringLiteral("stations")).toInt(),
                       std::max(1, parser.value(QStringLiteral("rounds")).toInt()),
                       std::max(0, parser.value(QStringLiteral("delay-ms")).toInt()));
        });
}
