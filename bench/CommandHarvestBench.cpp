// Command-line harvest benchmark: the same live-directory harvest through the real main window
// and through radiosift-harvest, from the local directory running as another process, the order
// of the two alternating from round to round; both must write the same files. Prints the wall
// and processor time of each and their ratio, whole and less the program's start and end, which
// the window's figure leaves out too (target: the harvest at most 1.0x of the window's),
// then the command's peak memory harvesting 5000 stations against the same program idle (its
// engine made, waiting for a directory that has not answered yet), target at most +20 MiB.
//
// radiosift_bench_command [--stations N] [--rounds R] [--delay-ms D]
#include "DirectoryProcess.h"
#include "Figures.h"
#include "FolderCompare.h"
#include "WindowHarvest.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace {

struct ChildRun {
    double seconds = 0, cpuSeconds = 0, peakMiB = 0;
    int status = -1;
};

// The peak resident memory of a running process as the kernel counts it (VmHWM); 0 once it has
// ended. The kernel's count at its end (rusage) would include the memory of this process, which
// the child was spawned from.
double PeakMiB(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).simplified().split(' ')[0].toDouble() / 1024;
    return 0;
}

// Runs radiosift-harvest with these arguments and waits for it. With watchMemory, its peak memory
// is read every few milliseconds (which costs it a little time: the timed runs go without), and
// with stopAfterMs it is ended with SIGTERM after that long.
ChildRun RunCommand(const QStringList& arguments, bool watchMemory = false, int stopAfterMs = -1) {
    const QByteArray program = QByteArrayLiteral(RADIOSIFT_HARVEST_EXE);
    std::vector<QByteArray> held{program};
    for (const QString& argument : arguments) held.push_back(argument.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& argument : held) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.constData(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) throw std::runtime_error("radiosift-harvest did not start");
    int status = 0;
    rusage usage{};
    if (!watchMemory) wait4(pid, &status, 0, &usage);
    while (watchMemory && wait4(pid, &status, WNOHANG, &usage) == 0) {
        run.peakMiB = std::max(run.peakMiB, PeakMiB(pid));
        if (stopAfterMs >= 0 && clock.elapsed() >= stopAfterMs) kill(pid, SIGTERM);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::unique_ptr<QTemporaryDir>> g_folders;  // kept to the end, as in the JSON bench

QString FreshFolder() {
    g_folders.push_back(std::make_unique<QTemporaryDir>(QCoreApplication::applicationDirPath() +
                                                        QStringLiteral("/command-XXXXXX")));
    if (!g_folders.back()->isValid()) throw std::runtime_error("no temporary folder");
    return g_folders.back()->path() + u'/';
}

// The command's options for the window's harvest in WindowHarvest.
QStringList SameHarvest(const QString& folder, const QString& count) {
    return {"--quiet", "--genre",       "Rock", "--count", count,      "--codec",
            "all",     "--min-bitrate", "0",    "--fast",  "--output", folder};
}

int Run(int stations, int rounds, int delayMs) {
    const QString count = QString::number(stations);
    {
        DirectoryProcess directory(
            {.stationsPerGenre = stations * 2, .log = false, .delayMs = delayMs});
        if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
        directory.becomeTheProgramsDirectory();
        qputenv("RADIOSIFT_DIRECTORY", "radio-browser");
        std::vector<double> windowWall, windowCpu, commandWall, commandCpu, startWall, startCpu;
        for (int round = 0; round < rounds; ++round) {
            const QString windowFolder = FreshFolder(), commandFolder = FreshFolder();
            for (int side = 0; side < 2; ++side) {
                if ((side + round) % 2 == 0) {
                    const HarvestOutcome outcome =
                        HarvestThroughWindow({windowFolder, QStringLiteral("Rock"), count});
                    if (!outcome.done)
                        throw std::runtime_error("the window's run did not end Done");
                    windowWall.push_back(outcome.seconds);
                    windowCpu.push_back(outcome.cpuSeconds);
                } else {
                    const ChildRun run = RunCommand(SameHarvest(commandFolder, count));
                    if (run.status != 0) throw std::runtime_error("radiosift-harvest failed");
                    commandWall.push_back(run.seconds);
                    commandCpu.push_back(run.cpuSeconds);
                    // What starting and ending the program costs: the window's own start is
                    // not in its figure either.
                    const ChildRun start = RunCommand({"--list-genres"});
                    startWall.push_back(start.seconds);
                    startCpu.push_back(start.cpuSeconds);
                }
            }
            const QString difference = CompareFolders(windowFolder, commandFolder);
            if (!difference.isEmpty())
                throw std::runtime_error("the two wrote other files: " + difference.toStdString());
        }
        std::printf("live harvest of %d Rock stations, directory waiting %d ms, %d rounds\n",
                    stations, delayMs, rounds);
        PrintFigure(QStringLiteral("radiosift-harvest, wall, whole"), Median(commandWall),
                    Median(windowWall), "s", 0);
        PrintFigure(QStringLiteral("radiosift-harvest, processor, whole"), Median(commandCpu),
                    Median(windowCpu), "s", 0);
        std::printf("start and end of the program: %.3f s wall, %.3f s processor\n",
                    Median(startWall), Median(startCpu));
        PrintFigure(QStringLiteral("the harvest, wall"), Median(commandWall) - Median(startWall),
                    Median(windowWall), "s", 1.0);
        PrintFigure(QStringLiteral("the harvest, processor"), Median(commandCpu) - Median(startCpu),
                    Median(windowCpu), "s", 1.0);
    }

    DirectoryProcess directory({.stationsPerGenre = 7000, .log = false, .delayMs = 0});
    if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
    directory.becomeTheProgramsDirectory();
    const ChildRun big = RunCommand(SameHarvest(FreshFolder(), QStringLiteral("5000")), true);
    if (big.status != 0) throw std::runtime_error("the 5000-station harvest failed");
    // Idle: started, its engine made, waiting for a directory that does not answer yet.
    DirectoryProcess slow({.stationsPerGenre = 100, .log = false, .delayMs = 5000});
    if (!slow.started()) throw std::runtime_error("radiosift-directory did not start");
    slow.becomeTheProgramsDirectory();
    const ChildRun idle = RunCommand(SameHarvest(FreshFolder(), QStringLiteral("5")), true, 1000);
    std::printf(
        "peak memory (VmHWM) of a 5000-station harvest %.1f MiB, idle %.1f MiB: "
        "+%.1f MiB   target <= +20 MiB   %s\n",
        big.peakMiB, idle.peakMiB, big.peakMiB - idle.peakMiB,
        big.peakMiB - idle.peakMiB <= 20 ? "met" : "MISSED");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return HarvestBenchMain(argc, argv, "radiosift_bench_command", Run);
}
