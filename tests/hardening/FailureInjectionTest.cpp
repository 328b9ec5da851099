// Runs through the real window while the local directory misbehaves: slow, trickling, failing,
// cut-off, endless and garbled answers to pages and playlists, and names that are not UTF-8.
// Every run must end completed, keep the playlists it could not fetch as they were, write
// nothing outside the genre folder, and hold no more memory than a few answers as long as the
// cap allows. (Playlists with CR LF line ends, failing playlists in every format and ids that
// name other folders are run through the window in tests/app.)
#include "DiskAndMemory.h"
#include "HardenedRun.h"
#include "Misbehaviour.h"

#include <gtest/gtest.h>

#include <QSet>
#include <string>

namespace {

// Bytes that are no playlist: binary noise with every byte value, NULs and bare CRs, after a
// count line that announces more entries than there are lines. No byte at or above 0x80
// starts a valid UTF-8 sequence, so read as text and written back in Windows-1252 the noise
// gives the same bytes again.
QByteArray Garbage() {
    QByteArray bytes = "[playlist]\nnumberofentries=2147483647\nFile1\n=\n";
    quint32 state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<char>((state >> 16) & 0xFF);
    };
    for (int i = 0; i < 4000; ++i) {
        const char byte = next();
        bytes += byte;
        if (static_cast<unsigned char>(byte) >= 0x80) bytes += static_cast<char>(next() & 0x7F);
    }
    return bytes;
}

enum class Target { FirstPage, OnePlaylist };
enum class Outcome { EarlierFileKept, SavedAsServed };

struct Injection {
    const char* name;
    Target target;
    Misbehaviour misbehaviour;
    Outcome outcome;
    // The answer carries the good body (page or playlist) under the misbehaviour's status.
    bool goodBodyWithStatus = false;
};

Misbehaviour Slow() {
    Misbehaviour m;
    m.delayMs = 8000;  // far past the test's one-second stall time-out
    return m;
}
// Ten bytes a second: never stalled, but a 300-byte playlist would take half a minute.
Misbehaviour Dribbled() {
    Misbehaviour m;
    m.dribbleMs = 100;
    return m;
}
Misbehaviour Status(int status) {
    Misbehaviour m;
    m.status = status;
    return m;
}
Misbehaviour DroppedAfter(qint64 bytes) {
    Misbehaviour m;
    m.dropAfterBytes = bytes;
    return m;
}
Misbehaviour Body(const QByteArray& body) {
    Misbehaviour m;
    m.body = body;
    return m;
}
// A body that would go on for ever; the server gives up after 256 MiB, which the program
// would hold if it kept what it was sent.
Misbehaviour Endless() {
    Misbehaviour m;
    m.endlessBody = true;
    m.dropAfterBytes = qint64(256) << 20;
    return m;
}

void PrintTo(const Injection& injection, std::ostream* out) {
    *out << injection.name;
}

class FailureInjection : public HardenedRun, public ::testing::WithParamInterface<Injection> {
protected:
    bool onFirstPage() const { return GetParam().target == Target::FirstPage; }
    // The stations the misbehaviour touches: the first page's, or its second station's.
    QList<CatalogueStation> affected() const {
        return onFirstPage() ? rockPage(1) : QList<CatalogueStation>{rockPage(1).at(1)};
    }
    QString prefix() const {
        return onFirstPage() ? firstPageTarget() : playlistTarget(rockPage(1).at(1).id);
    }

    // What the file of a station holds after the run.
    QByteArray expectedFile(const CatalogueStation& station, bool touched) const {
        const Injection& injection = GetParam();
        if (touched && injection.outcome == Outcome::EarlierFileKept) return earlierPlaylist();
        if (touched && !onFirstPage() && injection.misbehaviour.body)
            return *injection.misbehaviour.body + "\r\n";
        return PlsFileBytes(catalogue().playlistText(station.id));
    }

    // The good answer to the request the misbehaviour is set on, as the directory sends it.
    QByteArray goodBody() {
        HttpRequest request;
        request.open(QStringLiteral("GET"), server().baseUrl() + prefix());
        request.send();
        EXPECT_EQ(request.status(), 200);
        return request.responseBody();
    }
};

// Answers over this many bytes are cut off.
constexpr qint64 kCap = qint64(8) << 20;

TEST_P(FailureInjection, RunEndsAndOnlyTheStationsHitKeepTheirEarlierFiles) {
    Injection injection = GetParam();
    if (injection.goodBodyWithStatus) injection.misbehaviour.body = goodBody();
    writeEarlierFiles(bothRockPages());
    server().clearLog();
    server().setMisbehaviour(prefix(), injection.misbehaviour);
    HttpRequest::Limits limits = shortLimits();
    limits.maxBodyBytes = kCap;
    HttpRequest::setLimits(limits);
    ASSERT_TRUE(ProcessMemory::resetPeak());
    const qint64 before = ProcessMemory::resident();

    runToTheEnd(options());

    // At most a dozen times the cap: the cut-off body, the answers kept whole and, under
    // AddressSanitizer, the freed memory it holds back. An endless body kept whole would take
    // more than the 256 MiB the server sends before it gives up.
    const qint64 growth = ProcessMemory::peak() - before;
    RecordProperty("peak_growth_kib", std::to_string(growth / 1024));
    EXPECT_LT(growth, 12 * kCap);

    // The run went on to the second page whatever happened to the first.
    EXPECT_TRUE(server().requestLog().contains(
        QStringLiteral("/directory/index.phtml?startat=25&sgenre=Rock")));
    EXPECT_EQ(filesOutsideTheGenreFolder(), QStringList());
    QSet<int> touched;
    for (const CatalogueStation& station : affected()) touched.insert(station.id);
    const QList<CatalogueStation> stations = bothRockPages();
    ASSERT_EQ(stations.size(), 50);
    EXPECT_EQ(FilesBelow(genreFolder()).size(), stations.size());
    for (const CatalogueStation& station : stations) {
        const QString file = QString::number(station.id) + QStringLiteral(".pls");
        EXPECT_EQ(FileBytes(genreFolder() + file),
                  expectedFile(station, touched.contains(station.id)))
            << file.toStdString();
    }
}

const Injection kInjections[] = {
    {"SlowFirstPage", Target::FirstPage, Slow(), Outcome::EarlierFileKept},
    {"FirstPageAnswers500", Target::FirstPage, Status(500), Outcome::EarlierFileKept},
    {"FirstPageAnswers503WithItsEntries", Target::FirstPage, Status(503), Outcome::SavedAsServed,
     true},
    {"FirstPageDroppedMidBody", Target::FirstPage, DroppedAfter(6000), Outcome::EarlierFileKept},
    {"EndlessFirstPage", Target::FirstPage, Endless(), Outcome::EarlierFileKept},
    {"FirstPageIsGarbage", Target::FirstPage, Body(Garbage()), Outcome::EarlierFileKept},
    {"SlowPlaylist", Target::OnePlaylist, Slow(), Outcome::EarlierFileKept},
    {"DribbledPlaylist", Target::OnePlaylist, Dribbled(), Outcome::EarlierFileKept},
    {"PlaylistAnswers500WithThePlaylist", Target::OnePlaylist, Status(500),
     Outcome::EarlierFileKept, true},
    {"EndlessPlaylist", Target::OnePlaylist, Endless(), Outcome::EarlierFileKept},
    {"PlaylistIsGarbage", Target::OnePlaylist, Body(Garbage()), Outcome::SavedAsServed},
};

INSTANTIATE_TEST_SUITE_P(Misbehaviours, FailureInjection, ::testing::ValuesIn(kInjections),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HardenedRun, NamesThatAreNotUtf8ReachFileNamesAndTitlesAsWindows1252) {
    Misbehaviour latin1Names;
    latin1Names.invalidUtf8Names = true;  // every name ends in " \xE9t\xE9"
    server().setMisbehaviour(QStringLiteral("/directory/"), latin1Names);
    RunOptions run = options();
    run.format = QStringLiteral("M3U file");
    run.fileTemplate = QStringLiteral("%RN% %STATION%");

    runToTheEnd(run);

    EXPECT_EQ(filesOutsideTheGenreFolder(), QStringList());
    const QStringList files = FilesBelow(genreFolder());
    EXPECT_EQ(files.size(), 50);
    for (const QString& file : files) {
        EXPECT_TRUE(file.endsWith(QStringLiteral(" été.m3u"))) << file.toStdString();
        const QList<QByteArray> lines = FileBytes(genreFolder() + file).split('\n');
        ASSERT_GE(lines.size(), 2) << file.toStdString();
        EXPECT_TRUE(lines[1].endsWith(" \xE9t\xE9\r")) << lines[1].toStdString();
    }
}

}  // namespace
