// The directory's misbehaviours, switched on from the test while the server runs, as the
// program's own HTTP request sees them.
#include "DirectoryFixture.h"
#include "Fetch.h"
#include "HttpRequest.h"
#include "PageCut.h"
#include "PageWriter.h"

#include <QElapsedTimer>
#include <thread>

namespace {

class MisbehaviourTest : public DirectoryFixture {
protected:
    QString classicPage(const QString& query = QStringLiteral("&sgenre=Rock")) {
        return server().baseUrl() + QStringLiteral("/directory/index.phtml?") + query;
    }
    QString currentPage(const QString& query = QStringLiteral("&sgenre=Rock")) {
        return server().baseUrl() + QStringLiteral("/index.jsp?") + query;
    }
    QString playlist(int id) {
        return server().baseUrl() +
               QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&file=filename.pls").arg(id);
    }
    int anyId() { return catalogue().stations()[0].id; }
    // The stations of the first Rock page, in the page's order.
    QList<CatalogueStation> rockPage() {
        DirectoryQuery query;
        query.hasGenre = true;
        query.genre = QStringLiteral("Rock");
        return catalogue().page(query);
    }
};

// Restores the program's HTTP limits when a test that changed them ends.
struct KeepLimits {
    HttpRequest::Limits saved = HttpRequest::limits();
    ~KeepLimits() { HttpRequest::setLimits(saved); }
};

}  // namespace

class ErrorStatus : public MisbehaviourTest, public ::testing::WithParamInterface<int> {};

TEST_P(ErrorStatus, AnswersTheMatchingRequestsWithIt) {
    Misbehaviour failing;
    failing.status = GetParam();
    server().setMisbehaviour(QStringLiteral("/sbin/"), failing);
    const Fetched answer = fetch(playlist(anyId()));
    EXPECT_EQ(answer.status, GetParam());
    EXPECT_TRUE(answer.completed);
    EXPECT_TRUE(answer.text.contains(QStringLiteral("<h1>%1 ").arg(GetParam())));
    EXPECT_EQ(fetch(classicPage()).status, 200);
    server().clearMisbehaviour(QStringLiteral("/sbin/"));
    EXPECT_EQ(fetch(playlist(anyId())).status, 200);
}

INSTANTIATE_TEST_SUITE_P(Statuses, ErrorStatus, ::testing::Values(404, 500));

TEST_F(MisbehaviourTest, TheLongestMatchingPrefixHolds) {
    Misbehaviour failing;
    failing.status = 500;
    server().setMisbehaviour(QString(), failing);
    server().setMisbehaviour(QStringLiteral("/index.jsp?"), Misbehaviour{});
    // A prefix may reach into the query: one station's playlist alone.
    server().setMisbehaviour(QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&").arg(anyId()),
                             failing);
    server().setMisbehaviour(QStringLiteral("/sbin/"), Misbehaviour{});
    EXPECT_EQ(fetch(classicPage()).status, 500);
    EXPECT_EQ(fetch(currentPage()).status, 200);
    EXPECT_EQ(fetch(playlist(anyId())).status, 500);
    EXPECT_EQ(fetch(playlist(catalogue().stations()[1].id)).status, 200);
    server().clearMisbehaviour();
    EXPECT_EQ(fetch(classicPage()).status, 200);
}

TEST_F(MisbehaviourTest, DelayHoldsTheAnswerBack) {
    Misbehaviour slow;
    slow.delayMs = 300;
    server().setMisbehaviour(QStringLiteral("/directory/"), slow);
    const Fetched answer = fetch(classicPage());
    EXPECT_EQ(answer.status, 200);
    EXPECT_GE(answer.elapsedMs, 300);
}

TEST_F(MisbehaviourTest, StoppingEndsAnAnswerThatWaitsOrNeverEnds) {
    Misbehaviour slow;
    slow.delayMs = 30000;
    server().setMisbehaviour(QStringLiteral("/directory/"), slow);
    Misbehaviour endless;
    endless.endlessBody = true;
    server().setMisbehaviour(QStringLiteral("/index.jsp"), endless);
    KeepLimits keep;
    HttpRequest::setLimits({.connectTimeout = std::chrono::milliseconds(5000),
                            .stallTimeout = std::chrono::seconds(30),
                            .maxBodyBytes = qint64(1) << 40});
    Fetched waiting, streaming;
    std::thread first([&] { waiting = fetch(classicPage()); });
    std::thread second([&] { streaming = fetch(currentPage()); });
    while (server().requestLog().size() < 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    QElapsedTimer clock;
    clock.start();
    server().stop();
    first.join();
    second.join();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_NE(waiting.status, 200);
    EXPECT_FALSE(streaming.completed);
}

class DroppedConnection : public MisbehaviourTest, public ::testing::WithParamInterface<qint64> {};

TEST_P(DroppedConnection, LeavesTheAnswerUnfinished) {
    Misbehaviour dropping;
    dropping.dropAfterBytes = GetParam();
    server().setMisbehaviour(QString(), dropping);
    for (const QString& url : {classicPage(), playlist(anyId())}) {
        const Fetched answer = fetch(url);
        EXPECT_FALSE(answer.completed) << url.toStdString();
        EXPECT_EQ(answer.status, 0);
    }
    // A page that is made while it is sent is cut off as well.
    dropping.entryCount = 1000;
    server().setMisbehaviour(QString(), dropping);
    EXPECT_FALSE(fetch(currentPage()).completed);
    // A body shorter than the cut arrives whole.
    dropping.entryCount = 0;
    dropping.dropAfterBytes = 1 << 20;
    server().setMisbehaviour(QString(), dropping);
    EXPECT_TRUE(fetch(playlist(anyId())).completed);
}

INSTANTIATE_TEST_SUITE_P(Cuts, DroppedConnection, ::testing::Values(0, 1, 100));

TEST_F(MisbehaviourTest, EndlessBodyGoesOnUntilTheClientGivesUp) {
    KeepLimits keep;
    HttpRequest::Limits limits = keep.saved;
    limits.maxBodyBytes = 4 << 20;
    HttpRequest::setLimits(limits);
    Misbehaviour endless;
    endless.endlessBody = true;
    server().setMisbehaviour(QStringLiteral("/sbin/"), endless);
    const Fetched answer = fetch(playlist(anyId()));
    EXPECT_FALSE(answer.completed);
    // The server goes on serving others.
    EXPECT_EQ(fetch(classicPage()).status, 200);
}

class LineEndsTest : public MisbehaviourTest,
                     public ::testing::WithParamInterface<std::pair<LineEnds, const char*>> {};

TEST_P(LineEndsTest, ApplyToTheMatchingAnswersOnly) {
    const auto [ends, lineEnd] = GetParam();
    Misbehaviour misbehaviour;
    misbehaviour.lineEnds = ends;
    server().setMisbehaviour(QStringLiteral("/sbin/"), misbehaviour);
    const QByteArray body = fetch(playlist(anyId())).body;
    const QByteArray expected = catalogue().playlistText(anyId()).toUtf8().replace("\n", lineEnd);
    EXPECT_EQ(body, expected);
    EXPECT_FALSE(fetch(classicPage()).body.contains('\r'));
}

INSTANTIATE_TEST_SUITE_P(Ends, LineEndsTest,
                         ::testing::Values(std::pair{LineEnds::Lf, "\n"},
                                           std::pair{LineEnds::CrLf, "\r\n"},
                                           std::pair{LineEnds::Cr, "\r"}),
                         [](const auto& info) {
                             return std::string(info.param.first == LineEnds::Lf     ? "Lf"
                                                : info.param.first == LineEnds::CrLf ? "CrLf"
                                                                                     : "Cr");
                         });

// Every third entry of a Rock page is damaged; the page is cut the program's way.
class MalformedEntries
    : public MisbehaviourTest,
      public ::testing::WithParamInterface<std::tuple<PageLayout, Malformation>> {};

TEST_P(MalformedEntries, DamageOnlyTheChosenEntriesInTheirOwnWay) {
    const auto [layout, malformation] = GetParam();
    const bool classic = layout == PageLayout::Classic;
    Misbehaviour damaging;
    damaging.every = 3;
    damaging.malformation = malformation;
    server().setMisbehaviour(QString(), damaging);
    const Fetched answer = fetch(classic ? classicPage() : currentPage());
    const QString text = asFetched(answer.text);
    const QList<CutEntry> cut = classic ? cutClassicPage(text) : cutCurrentPage(text);
    const QList<CatalogueStation> stations = rockPage();
    ASSERT_EQ(stations.size(), 25);

    switch (malformation) {
        case Malformation::SkippedEntry:
            ASSERT_EQ(cut.size(), 25 - 8);
            EXPECT_EQ(cut[2].rn, QString::number(stations[3].id));
            return;
        case Malformation::BrokenEntry:
            ASSERT_EQ(cut.size(), 2);
            return;
        default:
            break;
    }
    ASSERT_EQ(cut.size(), 25);
    for (int i = 0; i < 25; ++i) {
        const bool damaged = (i + 1) % 3 == 0;
        const CutEntry& entry = cut[i];
        const CatalogueStation& s = stations[i];
        if (!damaged) {
            EXPECT_EQ(entry.rn, QString::number(s.id));
            EXPECT_EQ(entry.bitrate, QString::number(s.bitrate));
            EXPECT_EQ(entry.type, streamTypeName(s.type));
            continue;
        }
        switch (malformation) {
            case Malformation::NoTypeMarker:
                EXPECT_EQ(entry.type, cut[i - 1].type);
                EXPECT_EQ(entry.rn, QString::number(s.id));
                break;
            case Malformation::NoBitrate:
                EXPECT_EQ(entry.bitrate, QString());
                EXPECT_EQ(entry.name, s.name);
                break;
            case Malformation::OutOfOrder:
                if (classic) {
                    // The listeners cell stands where the bitrate should.
                    EXPECT_EQ(entry.bitrate.section(u'/', 0, 0), QString::number(s.listeners()));
                } else {
                    // The first link is the home page, which names no station id.
                    EXPECT_EQ(entry.rn, QString());
                    EXPECT_TRUE(entry.playlistLink.startsWith(s.homepage));
                }
                break;
            default:
                FAIL();
        }
    }
}

std::string malformationCase(
    const ::testing::TestParamInfo<std::tuple<PageLayout, Malformation>>& info) {
    static const char* const kinds[] = {"None",         "NoTypeMarker", "NoBitrate",
                                        "SkippedEntry", "BrokenEntry",  "OutOfOrder"};
    return std::string(std::get<0>(info.param) == PageLayout::Classic ? "Classic" : "Current") +
           kinds[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MalformedEntries,
    ::testing::Combine(::testing::Values(PageLayout::Classic, PageLayout::Current),
                       ::testing::Values(Malformation::NoTypeMarker, Malformation::NoBitrate,
                                         Malformation::SkippedEntry, Malformation::BrokenEntry,
                                         Malformation::OutOfOrder)),
    malformationCase);

TEST_F(MisbehaviourTest, InvalidUtf8NamesReadAsTheEightBitCodePage) {
    Misbehaviour misbehaviour;
    misbehaviour.invalidUtf8Names = true;
    misbehaviour.every = 2;
    server().setMisbehaviour(QString(), misbehaviour);
    const QList<CatalogueStation> stations = rockPage();
    for (const bool classic : {true, false}) {
        const Fetched answer = fetch(classic ? classicPage() : currentPage());
        EXPECT_TRUE(
            answer.body.contains(stations[1].name.toUtf8() + Misbehaviour::invalidUtf8NameTail()));
        const QString text = asFetched(answer.text);
        const QList<CutEntry> cut = classic ? cutClassicPage(text) : cutCurrentPage(text);
        ASSERT_EQ(cut.size(), 25);
        EXPECT_EQ(cut[0].name, stations[0].name);
        EXPECT_EQ(cut[1].name, stations[1].name + QStringLiteral(" été"));
    }
}

TEST_F(MisbehaviourTest, HostileValuesStillNameTheirStation) {
    Misbehaviour misbehaviour;
    misbehaviour.hostileRn = true;
    misbehaviour.hostileBitrate = true;
    server().setMisbehaviour(QString(), misbehaviour);
    const CatalogueStation first = rockPage()[0];
    for (const bool classic : {true, false}) {
        const QString text = asFetched(fetch(classic ? classicPage() : currentPage()).text);
        const QList<CutEntry> cut = classic ? cutClassicPage(text) : cutCurrentPage(text);
        ASSERT_EQ(cut.size(), 25);
        EXPECT_EQ(cut[0].rn, QStringLiteral("../../%1").arg(first.id));
        EXPECT_EQ(cut[0].bitrate, QStringLiteral("%1/../..").arg(first.bitrate));
        const QString address = classic ? server().baseUrl() +
                                              QStringLiteral("/sbin/shoutcast-playlist.pls?rn=") +
                                              cut[0].rn + QStringLiteral("&file=filename.pls")
                                        : cut[0].playlistLink;
        const Fetched answer = fetch(address);
        EXPECT_EQ(answer.status, 200);
        EXPECT_EQ(answer.text, catalogue().playlistText(first.id));
    }
}

TEST_F(MisbehaviourTest, ALongPageIsMadeWhileItIsSent) {
    Misbehaviour misbehaviour;
    misbehaviour.entryCount = 20000;
    server().setMisbehaviour(QString(), misbehaviour);
    const Fetched classic = fetch(classicPage(QStringLiteral("&sgenre=Jazz")));
    EXPECT_TRUE(classic.completed);
    EXPECT_TRUE(
        classic.headers.contains(QLatin1String("Transfer-Encoding: chunked"), Qt::CaseInsensitive));
    EXPECT_EQ(classic.body.count("<a href=\"/sbin/shoutcast-playlist.pls?rn="), 20000);
    EXPECT_TRUE(classic.body.endsWith("</html>\n"));
    const QList<CutEntry> cut =
        cutCurrentPage(asFetched(fetch(currentPage(QStringLiteral("&sgenre=Jazz"))).text));
    ASSERT_EQ(cut.size(), 20000);
    EXPECT_EQ(cut[60].rn, cut[0].rn);  // the genre's 60 stations, over and over
    EXPECT_NE(cut[59].rn, cut[0].rn);
}
