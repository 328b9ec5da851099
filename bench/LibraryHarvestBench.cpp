// Library benchmark: what the genre folder's record and the genre playlists cost a live harvest.
// The same harvest of the command line's engine, in this process, from the local directory
// running as another process, with both genre playlists and the record against the same harvest
// with nothing recorded, the order of the two alternating from round to round; both must write
// the same station files. Target: at most 1.10x the processor time.
//
// radiosift_bench_library [--stations N] [--rounds R] [--delay-ms D]
#include "DirectoryProcess.h"
#include "Figures.h"
#include "FolderCompare.h"
#include "HarvestEngine.h"
#include "HarvestOptions.h"
#include "TerminalHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

// From WindowHarvest.h, whose window options share their name with the command line's.
int HarvestBenchMain(int argc, char** argv, const char* name,
                     const std::function<int(int stations, int rounds, int delayMs)>& run);

namespace {

std::vector<std::unique_ptr<QTemporaryDir>> g_folders;  // kept to the end, as in the JSON bench

QString FreshFolder() {
    g_folders.push_back(std::make_unique<QTemporaryDir>(QCoreApplication::applicationDirPath() +
                                                        QStringLiteral("/library-XXXXXX")));
    if (!g_folders.back()->isValid()) throw std::runtime_error("no temporary folder");
    return g_folders.back()->path();
}

// Processor time of one harvest of Rock into folder, recording the library or not.
double Harvest(const QString& folder, const QString& count, bool library) {
    const auto read = ReadHarvestOptions({"--genre", "Rock", "--count", count, "--codec", "all",
                                          "--min-bitrate", "0", "--output", folder});
    const HarvestOptions& options = std::get<HarvestOptions>(read);
    TerminalHost host(options, false);
    HarvestEngine engine(host);
    host.watch(engine.state());
    engine.library().setOptions({{GenrePlaylistFormat::M3u, GenrePlaylistFormat::Xspf}, false});
    if (!library) engine.state().m_Recorder = nullptr;
    const double before = ProcessCpuSeconds();
    engine.driver().cmdRun_Click();
    const double cpu = ProcessCpuSeconds() - before;
    if (host.txtProgText() != u"Done") throw std::runtime_error("a run did not end Done");
    if (library != QDir(folder).exists(QStringLiteral("Rock.xspf")))
        throw std::runtime_error("the genre playlists were not written as asked");
    return cpu;
}

int Run(int stations, int rounds, int delayMs) {
    DirectoryProcess directory(
        {.stationsPerGenre = stations * 2, .log = false, .delayMs = delayMs});
    if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
    directory.becomeTheProgramsDirectory();
    qputenv("RADIOSIFT_DIRECTORY", "radio-browser");
    const QString count = QString::number(stations);
    std::vector<double> with, without;
    for (int round = 0; round < rounds; ++round) {
        const QString recorded = FreshFolder(), plain = FreshFolder();
        for (int side = 0; side < 2; ++side) {
            if ((side + round) % 2 == 0)
                with.push_back(Harvest(recorded, count, true));
            else
                without.push_back(Harvest(plain, count, false));
        }
        const QString difference = CompareFolders(recorded + "/Rock", plain + "/Rock");
        if (!difference.isEmpty())
            throw std::runtime_error("the two wrote other files: " + difference.toStdString());
        std::printf("round %d: %.3f s with the library, %.3f s without\n", round + 1, with.back(),
                    without.back());
    }
    PrintFigure(QStringLiteral("harvest %1, record + playlists").arg(stations), Median(with),
                Median(without), "s", 1.10);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return HarvestBenchMain(argc, argv, "radiosift_bench_library", Run);
}
