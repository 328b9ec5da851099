// Memory benchmark: the peak resident memory of a harvest of 5000 stations through the real
// main window, against the window's own footprint when it is shown and idle. A harvest should
// cost at most 20 MiB on top of the idle window, however many stations it saves.
//
// With --hostile, a 5-station harvest from a directory whose every answer lists some 32 MiB of
// entries: the live directory's JSON searches (json), whose answers the program reads up to
// 64 KiB a station asked for, or the classic pages, read up to 32 MiB (classic: a page past that;
// classic-under-cap: one just short of it): at its peak the JSON run should hold at most 40 MiB
// more than the idle window, and after it at most 8 MiB more.
//
// radiosift_bench_memory [--stations N]   (N one of the window's counts)
// radiosift_bench_memory --hostile json|classic|classic-under-cap
#include "DirectoryProcess.h"
#include "Figures.h"
#include "FolderCompare.h"
#include "ProcessMemory.h"
#include "WindowHarvest.h"

#include <curl/curl.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <stdexcept>

namespace {

constexpr double kTargetMiB = 20.0;

// A figure above the idle window and its target (none when 0).
void PrintAbove(const char* what, double above, double target) {
    std::printf("%-34s %10.1f MiB", what, above);
    if (target > 0)
        std::printf(" (target <= %.0f MiB: %s)", target, above <= target ? "met" : "MISSED");
    std::printf("\n");
}

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
    PrintAbove("above the idle window", peak - idle, kTargetMiB);
    return 0;
}

// The hostile directories: how many entries each answer lists, whatever was asked. A JSON
// element of the local directory is some 460 bytes, a classic TopTen entry some 710: the JSON
// answer and the first classic page are some 32 MiB, the second just under the 32 MiB that every
// answer is held to, so that the program reads it whole: the most a page can cost.
struct Hostile {
    const char* kind;
    QByteArray directory;  // RADIOSIFT_DIRECTORY
    int entries;
};
const Hostile kHostile[] = {{"json", "radio-browser", 75000},
                            {"classic", "classic", 48000},
                            {"classic-under-cap", "classic", 46000}};
constexpr double kHostilePeakMiB = 40.0;
constexpr double kHostileAfterMiB = 8.0;

// The bytes of the answer to url, counted as they come and kept nowhere.
qint64 AnswerBytes(const QString& url) {
    qint64 bytes = 0;
    CURL* curl = curl_easy_init();
    if (!curl) return -1;
    const QByteArray address = url.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &bytes);
    curl_easy_setopt(
        curl, CURLOPT_WRITEFUNCTION, +[](char*, size_t size, size_t count, void* total) {
            *static_cast<qint64*>(total) += static_cast<qint64>(size * count);
            return size * count;
        });
    const bool read = curl_easy_perform(curl) == CURLE_OK;
    curl_easy_cleanup(curl);
    return read ? bytes : -1;
}

int RunHostile(const QString& kind) {
    const auto hostile = std::find_if(std::begin(kHostile), std::end(kHostile),
                                      [&](const Hostile& h) { return kind == h.kind; });
    if (hostile == std::end(kHostile))
        throw std::runtime_error("--hostile takes json, classic or classic-under-cap");
    const bool json = hostile == std::begin(kHostile);
    DirectoryProcess directory(
        {.stationsPerGenre = 60, .log = true, .entryCount = hostile->entries});
    if (!directory.started()) throw std::runtime_error("radiosift-directory did not start");
    directory.becomeTheProgramsDirectory();
    qputenv("RADIOSIFT_DIRECTORY", hostile->directory);

    QTemporaryDir folder;
    double idle = -1, after = -1;
    bool peakReset = false;
    const HarvestOutcome outcome = HarvestThroughWindow(
        {folder.path() + QLatin1Char('/'), QStringLiteral("TopTen"), QStringLiteral("5")},
        [&] {
            idle = ProcessMemory::ResidentMiB();
            peakReset = ProcessMemory::ResetPeak();
        },
        [&] { after = ProcessMemory::ResidentMiB(); });
    const double peak = ProcessMemory::PeakResidentMiB();
    if (idle < 0 || peak < 0 || after < 0)
        throw std::runtime_error("/proc/self/status cannot be read");
    if (!peakReset) throw std::runtime_error("VmHWM cannot be reset here");

    // Asked again, outside the harvest, to count what the directory sends.
    const QStringList asked = directory.takeLog(1);
    const QString first = asked.value(0);
    const qint64 bytes = AnswerBytes("http://" + directory.hostPort() + first);
    std::printf(
        "%s answer of %.1f MiB (%d entries) to a 5-station harvest: %lld requests, %d "
        "files, the run ended \"%s\"\n",
        hostile->kind, static_cast<double>(bytes) / (1024.0 * 1024.0), hostile->entries,
        static_cast<long long>(asked.size()), CountFiles(folder.path()),
        qPrintable(outcome.ending));
    std::printf("%-34s %10.1f MiB\n", "idle window", idle);
    PrintAbove("peak above the idle window", peak - idle, json ? kHostilePeakMiB : 0);
    PrintAbove("after the run, above idle", after - idle, json ? kHostileAfterMiB : 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return WindowBenchMain(argc, argv, "radiosift_bench_memory",
                           {{QStringLiteral("stations"),
                             QStringLiteral("Stations to harvest (a count the window offers)."),
                             QStringLiteral("N"), QStringLiteral("5000")},
                            {QStringLiteral("hostile"),
                             QStringLiteral("A 5-station harvest from a directory whose answers "
                                            "are some 32 MiB: json, classic or "
                                            "classic-under-cap."),
                             QStringLiteral("KIND")}},
                           [](const QCommandLineParser& parser) {
                               if (parser.isSet(QStringLiteral("hostile")))
                                   return RunHostile(parser.value(QStringLiteral("hostile")));
                               return Run(parser.value(QStringLiteral("stations")).toInt());
                           });
}
