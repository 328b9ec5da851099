// JSON harvest benchmark: the same harvest through the real main window twice over, from the
// local directory running as another process: once from its JSON station searches (one request
// a page, the stream addresses written as they are listed) and once from its classic pages (the
// pages, then one playlist request a station), the order of the two alternating from round to
// round. Prints both wall times and their ratio; there is no target.
//
// Beside them, the processor time of the JSON harvest per 1000 stations against the file-writing
// floor: the same files written again, in the same round, by the program's own namer and
// writer into a fresh folder, without window, directory or page walk. Most of a file's cost is
// the file system's (creating an inode), which the floor pays alike. The target is 0.25 s of
// processor time per 1000 stations.
//
// radiosift_bench_json [--stations N] [--rounds R] [--delay-ms D]
//   N: one of the window's counts; D: how long the directory waits before every answer.
#include "DirectoryProcess.h"
#include "Figures.h"
#include "FolderCompare.h"
#include "FolderHandle.h"
#include "PathMacros.h"
#include "PlaylistTarget.h"
#include "QuietHost.h"
#include "ScanState.h"
#include "StationFileName.h"
#include "WindowHarvest.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

constexpr double kCpuTarget = 0.25;  // seconds of processor time per 1000 stations

struct Side {
    const char* name;
    const char* directory;  // what RADIOSIFT_DIRECTORY is set to
    std::vector<double> seconds, cpuSeconds, systemSeconds, files;
};

// Processor time of writing the floor's files, and the part of it spent in the kernel.
struct FloorTimes {
    std::vector<double> cpuSeconds, systemSeconds;
};

// Every folder written stays until the benchmark ends, and the folders lie beside the benchmark
// rather than in the shared temporary folder. On a file system without a journal (ext4 here),
// creating a file passes over every inode of its block group freed in the last half minute or
// so: removing the 1800 files of one round, or other programs removing theirs in /tmp, would
// make the next files cost several times as much, for the harvest and the floor alike.
std::vector<std::unique_ptr<QTemporaryDir>> g_folders;

QString FreshFolder() {
    g_folders.push_back(std::make_unique<QTemporaryDir>(QCoreApplication::applicationDirPath() +
                                                        QStringLiteral("/harvest-XXXXXX")));
    if (!g_folders.back()->isValid()) throw std::runtime_error("no temporary folder");
    return g_folders.back()->path();
}

HarvestOutcome HarvestFrom(Side& side, const QString& genre, const QString& count,
                           QString* writtenTo = nullptr) {
    qputenv("RADIOSIFT_DIRECTORY", side.directory);
    const QString folder = FreshFolder();
    if (writtenTo) *writtenTo = folder;
    const HarvestOutcome outcome = HarvestThroughWindow({folder + u'/', genre, count});
    if (!outcome.done)
        throw std::runtime_error(std::string("a run from the ") + side.name + " did not end Done");
    const int files = CountFiles(folder);
    if (files == 0)
        throw std::runtime_error(std::string("a run from the ") + side.name + " wrote nothing");
    side.seconds.push_back(outcome.seconds);
    side.cpuSeconds.push_back(outcome.cpuSeconds);
    side.systemSeconds.push_back(outcome.systemSeconds);
    side.files.push_back(files);
    return outcome;
}

// The floor under the harvest's file writing: the stations it saved, named and written in the
// same order by the program's own namer and writer with the window's options, into a fresh
// folder. Only the writing is timed; the result must equal the harvest's folder.
void WriteFloor(const QList<StationEntry>& saved, const QString& genre,
                const QString& harvestFolder, FloorTimes& times) {
    const QString folder = FreshFolder();
    const QuietHost host;
    ScanState state;
    state.m_DownloadDir = folder + u'/' + genre + u'/';
    if (QDir().mkpath(state.m_DownloadDir))
        state.m_DownloadFolder = FolderHandle::open(state.m_DownloadDir, PlaylistTemporaryPrefix);
    const int32_t limit = NameLimit(host.txtPlsSizeText());
    std::vector<std::pair<PlaylistTarget, QString>> files;  // target and stream address
    for (StationEntry entry : saved) {
        if (const auto target = NamePlaylist(host, state, entry, limit))
            files.emplace_back(*target, entry.PlaylistLink);
    }
    const double cpuBefore = ProcessCpuSeconds();
    const double systemBefore = ProcessSystemSeconds();
    for (const auto& [target, address] : files) WriteStreamPlaylist(target, address);
    times.cpuSeconds.push_back(ProcessCpuSeconds() - cpuBefore);
    times.systemSeconds.push_back(ProcessSystemSeconds() - systemBefore);
    const QString difference = CompareFolders(harvestFolder, folder);
    if (!difference.isEmpty())
        throw std::runtime_error("the floor wrote other files than the harvest: " +
                                 difference.toStdString());
}

// A run of each side against a directory that logs what it is asked, to be sure that each
// asks what it should: a program that took no notice of RADIOSIFT_DIRECTORY would time the
// classic pages twice.
void CheckWhatEachSideAsks(Side& json, Side& classic, const DirectoryProcess::Options& options,
                           const QString& genre, const QString& count) {
    DirectoryProcess directory({options.stationsPerGenre, true, 0});
    if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
    directory.becomeTheProgramsDirectory();
    for (const auto& [side, path] : {std::pair{&json, "/json/stations/search?"},
                                     std::pair{&classic, "/directory/index.phtml?"}}) {
        HarvestFrom(*side, genre, count);
        const QStringList asked = directory.takeLog(1);
        if (asked.isEmpty() || !asked.first().startsWith(QLatin1String(path)))
            throw std::runtime_error(std::string("the ") + side->name + " side asked " +
                                     asked.value(0).toStdString() + " first");
        std::printf("%s: %lld requests, %.0f files\n", side->name,
                    static_cast<long long>(asked.size()), side->files.back());
    }
    for (Side* side : {&json, &classic}) *side = Side{side->name, side->directory, {}, {}, {}, {}};
}

int Run(int stations, int rounds, int delayMs) {
    const QString genre = QStringLiteral("Rock");
    // The JSON searches leave out the stations whose last check failed (one in ten), and the
    // harvest of them skips streams it cannot or need not write: a genre of a fifth more
    // stations than the run asks for lets both sides reach the count.
    const DirectoryProcess::Options options{stations + stations / 5, false, delayMs};
    Side json{"JSON searches", "radio-browser", {}, {}, {}, {}};
    Side classic{"classic pages", "classic", {}, {}, {}, {}};
    CheckWhatEachSideAsks(json, classic, options, genre, QString::number(stations));

    DirectoryProcess directory(options);
    if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
    directory.becomeTheProgramsDirectory();
    FloorTimes floor;
    std::printf("%-6s %10s %10s %8s %10s %10s %10s %8s %8s\n", "round", "JSON s", "classic s",
                "ratio", "JSON CPU", "classic CPU", "floor CPU", "JSON f", "classic f");
    for (int round = 1; round <= rounds; ++round) {
        for (Side* side : round % 2 ? std::array{&json, &classic} : std::array{&classic, &json}) {
            if (side == &classic) {
                HarvestFrom(classic, genre, QString::number(stations));
                continue;
            }
            QString folder;
            const HarvestOutcome outcome =
                HarvestFrom(json, genre, QString::number(stations), &folder);
            WriteFloor(outcome.saved, genre, folder, floor);
        }
        std::printf("%-6d %10.3f %10.3f %8.3f %10.3f %10.3f %10.3f %8.0f %8.0f\n", round,
                    json.seconds.back(), classic.seconds.back(),
                    json.seconds.back() / classic.seconds.back(), json.cpuSeconds.back(),
                    classic.cpuSeconds.back(), floor.cpuSeconds.back(), json.files.back(),
                    classic.files.back());
    }
    std::printf("medians of %d rounds (baseline: the classic pages and playlists):\n", rounds);
    const QString what =
        delayMs > 0
            ? QStringLiteral("JSON harvest %1 stations, %2 ms (s)").arg(stations).arg(delayMs)
            : QStringLiteral("JSON harvest %1 stations (s)").arg(stations);
    PrintFigure(what, Median(json.seconds), Median(classic.seconds), "s", 0);
    PrintFigure(QStringLiteral("  of which CPU of this process (s)"), Median(json.cpuSeconds),
                Median(classic.cpuSeconds), "s", 0);
    PrintFigure(QStringLiteral("  files written"), Median(json.files), Median(classic.files), "",
                0);
    // Processor time per 1000 stations asked, against the floor of writing the same files.
    const double per1000 = 1000.0 / stations;
    const double cpuPer1000 = Median(json.cpuSeconds) * per1000;
    std::printf("medians of %d rounds (baseline: the same files written, no window):\n", rounds);
    PrintFigure(QStringLiteral("JSON harvest CPU per 1000 (s)"), cpuPer1000,
                Median(floor.cpuSeconds) * per1000, "s", 0);
    PrintFigure(QStringLiteral("  of which in the kernel (s)"),
                Median(json.systemSeconds) * per1000, Median(floor.systemSeconds) * per1000, "s",
                0);
    std::printf("%-34s %10.3f s   target <= %.2f s   %s\n", "JSON harvest CPU per 1000 (s)",
                cpuPer1000, kCpuTarget, cpuPer1000 <= kCpuTarget ? "met" : "MISSED");
    g_folders.clear();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return HarvestBenchMain(argc, argv, "radiosift_bench_json", Run);
}
