// Codec harvest benchmark: the live directory's harvest of one genre through the real main
// window with the stream type "AAC" (the searches of AAC and AAC+, merged) against the same
// harvest with "MP3" (one search), both from the local directory's JSON searches running as
// another process, the order of the two alternating from round to round. Prints the requests
// and wall times of both and their ratio; there is no target.
//
// radiosift_bench_codec [--stations N] [--rounds R] [--delay-ms D]
#include "DirectoryProcess.h"
#include "Figures.h"
#include "FolderCompare.h"
#include "WindowHarvest.h"

#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace {

struct Side {
    const char* stream;
    std::vector<double> seconds, requests, files;
};

void HarvestWith(Side& side, DirectoryProcess& directory, int stations) {
    QTemporaryDir folder;
    const HarvestOutcome outcome = HarvestThroughWindow(
        {folder.path() + u'/', QStringLiteral("Rock"), QString::number(stations), side.stream});
    if (!outcome.done)
        throw std::runtime_error(std::string(side.stream) + ": the run did not end Done");
    // Every request is logged before it is answered: the log is whole once the child is quiet.
    const QStringList asked = directory.takeLog(std::numeric_limits<qsizetype>::max());
    side.seconds.push_back(outcome.seconds);
    side.requests.push_back(static_cast<double>(asked.size()));
    side.files.push_back(CountFiles(folder.path()));
    if (side.files.back() != stations)
        throw std::runtime_error(std::string(side.stream) + ": " +
                                 std::to_string(static_cast<int>(side.files.back())) +
                                 " files for " + std::to_string(stations) + " asked");
}

int Run(int stations, int rounds, int delayMs) {
    // About one station in five is AAC or AAC+: a genre large enough for the count in AAC.
    DirectoryProcess directory({stations * 8, true, delayMs});
    if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
    directory.becomeTheProgramsDirectory();
    qputenv("RADIOSIFT_DIRECTORY", "radio-browser");
    directory.takeLog(0);
    Side aac{"AAC", {}, {}, {}}, mp3{"MP3", {}, {}, {}};
    std::printf("%-6s %10s %10s %8s %10s %10s\n", "round", "AAC s", "MP3 s", "ratio", "AAC req",
                "MP3 req");
    for (int round = 1; round <= rounds; ++round) {
        for (Side* side : round % 2 ? std::array{&aac, &mp3} : std::array{&mp3, &aac})
            HarvestWith(*side, directory, stations);
        std::printf("%-6d %10.3f %10.3f %8.3f %10.0f %10.0f\n", round, aac.seconds.back(),
                    mp3.seconds.back(), aac.seconds.back() / mp3.seconds.back(),
                    aac.requests.back(), mp3.requests.back());
    }
    std::printf("medians of %d rounds (baseline: the same harvest in MP3):\n", rounds);
    const QString what =
        delayMs > 0
            ? QStringLiteral("AAC harvest %1 stations, %2 ms (s)").arg(stations).arg(delayMs)
            : QStringLiteral("AAC harvest %1 stations (s)").arg(stations);
    PrintFigure(what, Median(aac.seconds), Median(mp3.seconds), "s", 0);
    PrintFigure(QStringLiteral("  requests"), Median(aac.requests), Median(mp3.requests), "", 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return HarvestBenchMain(argc, argv, "radiosift_bench_codec", Run);
}
