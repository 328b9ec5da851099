// Harvest benchmark: stations of one genre harvested through the real main window from the
// local directory running as another process, against a plain libcurl loop that asks for the
// same addresses in the same order and writes the same files. The program should run at the
// speed of the network: at most 1.10 times the plain loop.
//
// radiosift_bench_harvest [--stations N] [--rounds R] [--delay-ms D]
//   N: one of the window's counts; D: how long the directory waits before every answer (0: the
//   directory answers at once, as only a server on the same machine can).
#include "DirectoryProcess.h"
#include "Figures.h"
#include "FolderCompare.h"
#include "PlainHarvest.h"
#include "WindowHarvest.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr double kTarget = 1.10;

QString FolderOf(const QTemporaryDir& dir) {
    return dir.path() + QLatin1Char('/');
}

int Run(int stations, int rounds, int delayMs) {
    const QString genre = QStringLiteral("TopTen");
    const QString count = QString::number(stations);
    // A catalogue with exactly as many stations in the genre as the run asks for.
    const int perGenre = stations;

    // A first run against a directory that logs what it is asked: the addresses, in order,
    // for the baseline, and the files that both must write.
    QList<PlainStep> plan;
    QTemporaryDir reference;
    {
        DirectoryProcess directory({perGenre, true, delayMs});
        if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
        directory.becomeTheProgramsDirectory();
        const HarvestOutcome recorded = HarvestThroughWindow({FolderOf(reference), genre, count});
        if (!recorded.done) throw std::runtime_error("the recording run did not end Done");
        const qsizetype pages = (stations + 99) / 100;
        plan = PlanFromLog(directory.takeLog(pages + recorded.saved.size()), recorded.saved);
        std::printf("recorded: %lld requests (%lld pages, %lld playlists), %d files\n",
                    static_cast<long long>(plan.size()), static_cast<long long>(pages),
                    static_cast<long long>(recorded.saved.size()), CountFiles(reference.path()));
    }

    // The timed rounds, against a directory that does not log (so that neither side pays for
    // the log), the order of the two sides alternating from round to round.
    DirectoryProcess directory({perGenre, false, delayMs});
    if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
    directory.becomeTheProgramsDirectory();
    std::vector<double> program, plain, ratios, programCpu, plainCpu;
    // CPU: this process's processor time in the same while; the rest is waiting (for the
    // directory, the network, the disk).
    std::printf("%-6s %12s %12s %8s %14s %14s\n", "round", "Radiosift s", "baseline s", "ratio",
                "Radiosift CPU", "baseline CPU");
    for (int round = 1; round <= rounds; ++round) {
        QTemporaryDir programFolder, plainFolder;
        double programSeconds = 0, plainSeconds = 0, programCpuSeconds = 0, plainCpuSeconds = 0;
        const auto runProgram = [&] {
            const HarvestOutcome outcome =
                HarvestThroughWindow({FolderOf(programFolder), genre, count});
            if (!outcome.done) throw std::runtime_error("a timed run did not end Done");
            programSeconds = outcome.seconds;
            programCpuSeconds = outcome.cpuSeconds;
        };
        const auto runPlain = [&] {
            const PlainOutcome outcome =
                PlainHarvest(plan, directory.hostPort(), plainFolder.path(), genre);
            plainSeconds = outcome.seconds;
            plainCpuSeconds = outcome.cpuSeconds;
        };
        if (round % 2) {
            runProgram();
            runPlain();
        } else {
            runPlain();
            runProgram();
        }
        for (const QString& difference : {CompareFolders(reference.path(), programFolder.path()),
                                          CompareFolders(programFolder.path(), plainFolder.path())})
            if (!difference.isEmpty())
                throw std::runtime_error("the two sides wrote different files: " +
                                         difference.toStdString());
        program.push_back(programSeconds);
        plain.push_back(plainSeconds);
        ratios.push_back(programSeconds / plainSeconds);
        programCpu.push_back(programCpuSeconds);
        plainCpu.push_back(plainCpuSeconds);
        std::printf("%-6d %12.3f %12.3f %8.2f %14.3f %14.3f\n", round, programSeconds, plainSeconds,
                    programSeconds / plainSeconds, programCpuSeconds, plainCpuSeconds);
    }
    std::printf("files equal on both sides in every round; medians of %d rounds:\n", rounds);
    const QString what =
        delayMs > 0 ? QStringLiteral("harvest %1 stations, %2 ms (s)").arg(stations).arg(delayMs)
                    : QStringLiteral("harvest %1 stations (s)").arg(stations);
    PrintFigure(what, Median(program), Median(plain), "s", kTarget);
    PrintFigure(QStringLiteral("  of which CPU of this process (s)"), Median(programCpu),
                Median(plainCpu), "s", 0);
    std::printf("%-34s %10.2f (target <= %.2f: %s)\n", "median of the per-round ratios",
                Median(ratios), kTarget, Median(ratios) <= kTarget ? "met" : "MISSED");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return HarvestBenchMain(argc, argv, "radiosift_bench_harvest", Run);
}
