// Runs through the real window while the local directory misbehaves (slow, trickling, failing,
// endless and huge answers) or the disk will not take the files. Every run must end completed,
// say how many stations it could not write, keep the playlists it could not replace, and stay
// within a few answers' memory. (The ways one playlist download fails, the saver's test covers.)
#include "HttpRequest.h"
#include "WindowRun.h"

#include <sys/resource.h>

#include <QFile>
#include <csignal>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed memory back to catch late uses of it, 256 MiB by default. The
// cut-off answers of these runs would fill that and count as memory the program kept, so it
// keeps less here.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
#endif

namespace {
using ::PrintTo;

using namespace std::chrono_literals;

const QByteArray kEarlier = "[playlist]\r\nearlier\r\n";

// This process's memory from /proc/self/status, in bytes: "VmRSS" now, "VmHWM" the peak since
// it was last reset.
qint64 Memory(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(QByteArray(field) + ':'))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

QString PlaylistTarget(int id) {
    return QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&").arg(id);
}

void SetLimits(qint64 cap, std::chrono::seconds stall, std::chrono::seconds total) {
    HttpRequest::setLimits(
        {.connectTimeout = 2s, .stallTimeout = stall, .maxBodyBytes = cap, .totalTimeout = total});
}

enum class Disk { TakesAll, FolderInTheWay, Full };

struct Injection {
    const char* name;
    bool onPage;  // the first page's stations are hit, else the second and third station
    Misbehaviour misbehaviour;  // of the directory's answers for what is hit
    bool fetched;               // whether the stations hit get their new playlist after all
    const char* format = "PLS file";
    bool goodBodyWithStatus = false;  // the good page or playlist comes under the error status
    // Room for a page of some 70 MB, and time to send it however busy the machine.
    bool huge = false;
    // The most the run may add to the memory in use (0: a dozen times the cap).
    qint64 peakBytes = 0;
    Disk disk = Disk::TakesAll;  // a folder in the way stands where the stations hit are written
    const char* ending = "Done";
};

// The default run (two pages of 25 Rock stations) with one file per station id.
class FailureInjection : public WindowTest, public testing::WithParamInterface<Injection> {
protected:
    void TearDown() override {
        HttpRequest::setLimits(saved_);
        WindowTest::TearDown();
    }

    const HttpRequest::Limits saved_ = HttpRequest::limits();
};

// Every other station has a file from before. The stations hit keep theirs (or get none) unless
// their playlist arrives after all; the others are saved as usual.
TEST_P(FailureInjection, RunGoesOnAndOnlyTheStationsHitKeepTheirEarlierFiles) {
    const Injection& c = GetParam();
    const RunChoice choice{.format = c.format, .nameTemplate = "%RN%"};
    const QList<CatalogueStation> stations = SavedStations(catalogue(), choice);
    ASSERT_EQ(stations.size(), 50);
    const auto isHit = [&c](int i) {
        return c.disk == Disk::Full || (c.onPage ? i < 25 : i == 1 || i == 2);
    };
    QStringList targets = {QStringLiteral("/directory/index.phtml?&sgenre=Rock")};
    if (!c.onPage) targets = {PlaylistTarget(stations[1].id), PlaylistTarget(stations[2].id)};
    for (const QString& target : targets) {
        Misbehaviour misbehaviour = c.misbehaviour;
        if (c.goodBodyWithStatus) misbehaviour.body = bodyOf(target);
        server().setMisbehaviour(target, misbehaviour);
    }
    QMap<QString, QByteArray> expected;
    for (int i = 0; i < stations.size(); ++i) {
        const QString path = ExpectedPath(stations[i], choice);
        const bool inTheWay = isHit(i) && c.disk == Disk::FolderInTheWay;
        if (inTheWay)
            ASSERT_TRUE(QDir().mkpath(downloadDir() + path));
        else if (i % 2 == 0)
            WriteFile(downloadDir() + path, kEarlier);
        if (!isHit(i) || c.fetched)
            expected[path] = ExpectedFileBytes(catalogue(), stations[i], choice);
        else if (i % 2 == 0 && !inTheWay)
            expected[path] = kEarlier;
    }
    // Answers over the cap are cut off: a quarter of the program's own, so that an endless answer
    // kept whole shows well before the directory gives up on it. A request that gets no byte for
    // a second is given up.
    const qint64 cap = qint64(c.huge ? 128 : 8) << 20;
    c.huge ? SetLimits(cap, 30s, 120s) : SetLimits(cap, 1s, 5s);
    QFile resetPeak(QStringLiteral("/proc/self/clear_refs"));
    ASSERT_TRUE(resetPeak.open(QIODevice::WriteOnly) && resetPeak.write("5") == 1);
    const qint64 before = Memory("VmRSS");

    ASSERT_NO_FATAL_FAILURE(Choose(window, choice, downloadDir() + kFolder));
    // A full disk: writes past 16 bytes fail with EFBIG, which befalls root too.
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit full{c.disk == Disk::Full ? 16 : previous.rlim_cur, previous.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    run(c.ending);
    setrlimit(RLIMIT_FSIZE, &previous);

    // At most a dozen times the cap: the cut-off body, the answers kept whole and, under
    // AddressSanitizer, the freed memory it still holds back. An endless body kept whole would
    // take more than the 256 MiB the directory sends before it gives up.
    EXPECT_LT(Memory("VmHWM") - before, c.peakBytes ? c.peakBytes : 12 * cap);
    ExpectSameFiles(files(), expected);
    // The playlists were asked for, so it is the answer that kept them out.
    for (const QString& target : targets)
        EXPECT_FALSE(server().requestLog().filter(target).isEmpty());
}

// clang-format off
const Injection kInjections[] = {
    {"SlowFirstPage", true, {.delayMs = 8000}, false},
    {"FirstPageAnswers503WithItsEntries", true, {.status = 503}, true, "PLS file", true},
    // The directory gives up after 256 MiB, which the program would hold if it kept it all.
    {"EndlessFirstPage", true, {.dropAfterBytes = qint64(256) << 20, .endlessBody = true}, false},
    // 32 MiB of nothing but entry markers, none of them an entry: the text, its copies and the
    // pieces fit in 8 times its size, but not a station record per marker.
    {"PageOfOnlyEntryMarkers", true,
     {.body = QByteArray("<a href=\"/sbin/shoutcast-playlist.pls").repeated((32 << 20) / 37)},
     false, "PLS file", false, true, qint64(256) << 20},
    // 100 000 entries, far more than asked for: the run reads the 25 it wants.
    {"PageOf100000Stations", true, {.entryCount = 100000}, true, "PLS file", false, true},
    // Every entry is passed over, so the page is read to its end.
    {"PageOf5000SkippedEntries", true,
     {.malformation = Malformation::SkippedEntry, .entryCount = 5000}, false, "PLS file", false, true},
    // Ten bytes a second: never stalled, but a 300-byte playlist would take half a minute.
    {"DribbledPlaylists", false, {.dribbleMs = 100}, false, "M3U file"},
    {"EndlessPlaylists", false, {.dropAfterBytes = qint64(256) << 20, .endlessBody = true}, false,
     "ASX file"},
    {"NameTakenByAFolder", false, {}, false, "PLS file", false, false, 0, Disk::FolderInTheWay,
     "Done, 2 not saved"},
    {"FullDisk", false, {}, false, "ASX file", false, false, 0, Disk::Full, "Done, 50 not saved"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Misbehaviours, FailureInjection, testing::ValuesIn(kInjections), ByName);

}  // namespace
