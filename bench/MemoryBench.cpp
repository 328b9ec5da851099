// Memory benchmark: the peak resident memory of a harvest of 5000 stations through the real
// main window, against the window's own footprint when it is shown and idle. A harvest should
// cost at most 20 MiB on top of the idle window, however many stations it saves.
//
// radiosift_bench_memory [--stations N]   (N one of the window's counts)
#include "DirectoryProcess.h"
#include "Figures.h"
#include "FolderCompare.h"
#include "ProcessMemory.h"
#include "WindowHarvest.h"

#include <QTemporaryDir>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr double kTargetMiB = 20.0;

int Run(int stations) {
    // The directory is a process of its own, so its catalogue does not count here.
    DirectoryProcess directory({stations, false});
    if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
    directory.becomeTheProgramsDirectory();

    QTemporaryDir folder;
    double idle = -1;
    bool peakReset = false;
    const HarvestOutcome outcome = HarvestThroughWindow(
        {folder.path() + QLatin1Char('/'), QStringLiteral("TopTen"), QString::number(stations)},
        [&] {
            idle = ProcessMemory::ResidentMiB();
            peakReset = ProcessMemory::ResetPeak();
        });
    const double peak = ProcessMemory::PeakResidentMiB();
    if (!outcome.done) throw std::runtime_error("the run did not end Done");
    if (idle < 0 || peak < 0) throw std::runtime_error("/proc/self/status cannot be read");

    std::printf("harvested %lld stations, %d files; peak %s\n",
                static_cast<long long>(outcome.saved.size()), CountFiles(folder.path()),
                peakReset ? "taken from the click on Run (VmHWM reset when idle)"
                          : "since the process started (VmHWM could not be reset)");
    PrintFigure(QStringLiteral("peak RSS, %1-station harvest (MiB)").arg(stations), peak, idle,
                "MiB", 0);
    std::printf("%-34s %10.1f MiB (target <= %.0f MiB: %s)\n", "above the idle window", peak - idle,
                kTargetMiB, peak - idle <= kTargetMiB ? "met" : "MISSED");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return WindowBenchMain(argc, argv, "radiosift_bench_memory",
                           {{QStringLiteral("stations"),
                             QStringLiteral("Stations to harvest (a count the window offers)."),
                             QStringLiteral("N"), QStringLiteral("5000")}},
                           [](const QCommandLineParser& parser) {
                               return Run(parser.value(QStringLiteral("stations")).toInt());
                           });
}
