// Runs through the real window while the local directory misbehaves: slow, trickling, failing,
// cut-off, endless, huge and garbled answers. Every run must end completed, keep the playlists
// it could not fetch, and stay within a few answers' memory.
#include "HttpRequest.h"
#include "WindowRun.h"

#include <QFile>

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

// Answers over this many bytes are cut off: a quarter of the program's own cap, so that an
// endless answer kept whole shows well before the directory gives up on it.
constexpr qint64 kCap = qint64(8) << 20;
const QByteArray kEarlier = "[playlist]\r\nearlier\r\n";

// Bytes that are no playlist: binary noise with every byte value, NULs and bare CRs, after a
// count line that announces more entries than there are lines. No byte at or above 0x80
// starts a valid UTF-8 sequence, so read as text and written back in Windows-1252 the noise
// gives the same bytes again.
QByteArray Garbage() {
    QByteArray bytes = "[playlist]\nnumberofentries=2147483647\nFile1\n=\n";
    quint32 state = 12345;
    const auto next = [&state] { return static_cast<char>(((state = state * 1103515245u + 12345u) >> 16) & 0xFF); };
    for (int i = 0; i < 4000; ++i)
        if (static_cast<unsigned char>(bytes.append(next()).back()) >= 0x80) bytes += static_cast<char>(next() & 0x7F);
    return bytes;
}

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

QString PlaylistTarget(int id) { return QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&").arg(id); }

// The default run (two pages of 25 Rock stations) with one file per station id.
class Hardened : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        saved_ = HttpRequest::limits();
        setLimits(kCap, 1s, 5s);  // a request that gets no byte for a second is given up
    }
    void TearDown() override {
        HttpRequest::setLimits(saved_);
        WindowTest::TearDown();
    }
    static void setLimits(qint64 cap, std::chrono::seconds stall, std::chrono::seconds total) {
        HttpRequest::setLimits({.connectTimeout = 2s, .stallTimeout = stall, .maxBodyBytes = cap, .totalTimeout = total});
    }

    HttpRequest::Limits saved_;
};

enum class Target { FirstPage, TwoPlaylists };

struct Injection {
    const char* name;
    Target target;
    Misbehaviour misbehaviour;
    bool fetched;  // whether the stations hit get their new playlist after all
    const char* format = "PLS file";
    bool goodBodyWithStatus = false;  // the good page or playlist comes under the error status
    bool huge = false;  // room for a page of some 70 MB, and time to send it however busy the machine
    // The most the run may add to the memory in use (0: a dozen times the cap).
    qint64 peakBytes = 0;
};

class FailureInjection : public Hardened, public testing::WithParamInterface<Injection> {};

// Every other station has a file from before. The stations hit by the misbehaviour keep theirs
// (or get none) unless their playlist arrives after all; the others are saved as usual.
TEST_P(FailureInjection, RunGoesOnAndOnlyTheStationsHitKeepTheirEarlierFiles) {
    const Injection& c = GetParam();
    const RunChoice choice{.format = c.format, .nameTemplate = "%RN%"};
    const QList<CatalogueStation> stations = SavedStations(catalogue(), choice);
    ASSERT_EQ(stations.size(), 50);
    const bool onPage = c.target == Target::FirstPage;
    const auto isHit = [onPage](int i) { return onPage ? i < 25 : i == 1 || i == 2; };
    QStringList targets = {QStringLiteral("/directory/index.phtml?&sgenre=Rock")};
    if (!onPage) targets = {PlaylistTarget(stations[1].id), PlaylistTarget(stations[2].id)};
    for (const QString& target : targets) {
        Misbehaviour misbehaviour = c.misbehaviour;
        if (c.goodBodyWithStatus) misbehaviour.body = get(target).responseBody();
        server().setMisbehaviour(target, misbehaviour);
    }
    QMap<QString, QByteArray> expected;
    for (int i = 0; i < stations.size(); ++i) {
        if (i % 2 == 0) WriteFile(downloadDir() + ExpectedPath(stations[i], choice), kEarlier);
        if (!isHit(i) || c.fetched)
            expected[ExpectedPath(stations[i], choice)] = !isHit(i) || onPage || !c.misbehaviour.body
                ? ExpectedFileBytes(catalogue(), stations[i], choice) : QByteArray(*c.misbehaviour.body + "\r\n");
        else if (i % 2 == 0)
            expected[ExpectedPath(stations[i], choice)] = kEarlier;
    }
    if (c.huge) setLimits(qint64(128) << 20, 30s, 120s);
    const qint64 cap = HttpRequest::limits().maxBodyBytes;
    QFile resetPeak(QStringLiteral("/proc/self/clear_refs"));
    ASSERT_TRUE(resetPeak.open(QIODevice::WriteOnly) && resetPeak.write("5") == 1);
    const qint64 before = Memory("VmRSS");

    harvest(choice);

    // At most a dozen times the cap: the cut-off body, the answers kept whole and, under
    // AddressSanitizer, the freed memory it still holds back. An endless body kept whole would
    // take more than the 256 MiB the directory sends before it gives up.
    EXPECT_LT(Memory("VmHWM") - before, c.peakBytes ? c.peakBytes : 12 * cap);
    ExpectSameFiles(files(), expected);
    // The playlists were asked for, so it is the answer that kept them out.
    for (const QString& target : targets) EXPECT_FALSE(server().requestLog().filter(target).isEmpty());
}

const Injection kInjections[] = {
    {"SlowFirstPage", Target::FirstPage, {.delayMs = 8000}, false},
    {"FirstPageAnswers500", Target::FirstPage, {.status = 500}, false},
    {"FirstPageAnswers503WithItsEntries", Target::FirstPage, {.status = 503}, true, "PLS file", true},
    {"FirstPageDroppedMidBody", Target::FirstPage, {.dropAfterBytes = 6000}, false},
    // The directory gives up after 256 MiB, which the program would hold if it kept it all.
    {"EndlessFirstPage", Target::FirstPage, {.dropAfterBytes = qint64(256) << 20, .endlessBody = true}, false},
    {"FirstPageIsGarbage", Target::FirstPage, {.body = Garbage()}, false},
    // 32 MiB of nothing but entry markers, none of them an entry: the text, its copies and the
    // pieces fit in 8 times its size, but not a station record per marker.
    {"PageOfOnlyEntryMarkers", Target::FirstPage,
     {.body = QByteArray("<a href=\"/sbin/shoutcast-playlist.pls").repeated((32 << 20) / 37)}, false, "PLS file",
     false, true, qint64(256) << 20},
    // 100 000 entries, far more than asked for: the run reads the 25 it wants.
    {"PageOf100000Stations", Target::FirstPage, {.entryCount = 100000}, true, "PLS file", false, true},
    // Every entry is passed over, so the page is read to its end.
    {"PageOf5000SkippedEntries", Target::FirstPage, {.malformation = Malformation::SkippedEntry, .entryCount = 5000},
     false, "PLS file", false, true},
    {"SlowPlaylists", Target::TwoPlaylists, {.delayMs = 8000}, false, "M3U file"},
    // Ten bytes a second: never stalled, but a 300-byte playlist would take half a minute.
    {"DribbledPlaylists", Target::TwoPlaylists, {.dribbleMs = 100}, false},
    {"PlaylistsAnswer404", Target::TwoPlaylists, {.status = 404}, false, "ASX file"},
    {"PlaylistsAnswer500WithThePlaylist", Target::TwoPlaylists, {.status = 500}, false, "PLS file", true},
    {"PlaylistsDroppedMidBody", Target::TwoPlaylists, {.dropAfterBytes = 40}, false, "M3U file"},
    {"EndlessPlaylists", Target::TwoPlaylists, {.dropAfterBytes = qint64(256) << 20, .endlessBody = true}, false, "ASX file"},
    {"PlaylistsAreGarbage", Target::TwoPlaylists, {.body = Garbage()}, true},
};

INSTANTIATE_TEST_SUITE_P(Misbehaviours, FailureInjection, testing::ValuesIn(kInjections), ByName);

}  // namespace
