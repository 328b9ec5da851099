// The live community directory without a window: which directory a run asks, how its servers are
// found and changed, how an answer is read, and how a genre's searches are merged.
#include "DirectoryHosts.h"
#include "FakeResolver.h"
#include "GenreTags.h"
#include "JsonPageParser.h"
#include "MergedSearch.h"
#include "ScopedEnv.h"
#include "ServerChoice.h"

#include <gtest/gtest.h>

#include <QSet>
#include <optional>

namespace {

TEST(DirectoryChoice, TheVariableOrElseTheClassicHostDecidesAndAnUnknownNameIsToldAndGivesClassic) {
    using D = DirectoryHosts::Directory;
    const struct {
        const char *directory, *classicHost;
        D chosen;
        bool complaint;
    } cases[] = {
        {"", "", D::RadioBrowser, false},
        {"", "127.0.0.1:1", D::Classic, false},
        {"classic", "", D::Classic, false},
        {"radio-browser", "127.0.0.1:1", D::RadioBrowser, false},
        {"Radio-Browser", "", D::Classic, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.directory) + " / " + c.classicHost);
        const ScopedEnv directory("RADIOSIFT_DIRECTORY", c.directory);
        const ScopedEnv host("RADIOSIFT_CLASSIC_HOST", c.classicHost);
        QString complaint = "before";
        EXPECT_EQ(DirectoryHosts::chosenDirectory(&complaint), c.chosen);
        EXPECT_EQ(!complaint.isEmpty(), c.complaint) << complaint.toStdString();
        if (c.complaint) {
            EXPECT_TRUE(complaint.contains(c.directory));
        }
    }
}

// Every server a choice offers for one page, each failing in turn.
QStringList Offered(ServerChoice& choice) {
    QStringList bases;
    while (const std::optional<QString> base = choice.current()) {
        bases.append(*base);
        choice.failed();
    }
    return bases;
}

TEST(ServerDiscovery,
     NamedServersUnderTheDirectoryOnceInRandomOrderAndLookedUpAgainOnlyWhenAllFail) {
    const ScopedEnv fixed("RADIOSIFT_RADIO_BROWSER_URL", "");
    // Three servers, one at two addresses; an address without a name, and another host's name
    // that begins like a server's.
    FakeResolver resolver;
    resolver.found = {"10.0.0.1", "10.0.0.2", "10.0.0.3", "::4", "10.0.0.5", "10.0.0.7"};
    resolver.names = {{"10.0.0.1", "de1.api.radio-browser.info"},
                      {"10.0.0.2", "NL1.API.Radio-Browser.info."},
                      {"10.0.0.3", "at1.api.radio-browser.info"},
                      {"::4", "de1.api.radio-browser.info"},
                      {"10.0.0.7", "de1.api.radio-browser.info.evil.test"}};
    const QStringList servers = {"https://at1.api.radio-browser.info",
                                 "https://de1.api.radio-browser.info",
                                 "https://nl1.api.radio-browser.info"};
    QSet<QString> firsts;
    for (quint32 seed = 1; seed <= 12; ++seed) {
        QRandomGenerator random(seed);
        ServerChoice choice(
            {&resolver, &random, [](const QString& name) { return "https://" + name; }});
        firsts.insert(choice.current().value_or(""));
        choice.answered();
        // Every server fails: they are looked up again once, then the page has none left.
        QStringList bases = Offered(choice);
        ASSERT_EQ(bases.size(), 6);
        for (QStringList half : {bases.mid(0, 3), bases.mid(3)}) {
            half.sort();
            EXPECT_EQ(half, servers);
        }
    }
    EXPECT_EQ(firsts.size(), 3) << "the first server asked is not spread over the servers";
    EXPECT_EQ(resolver.asked, QStringList(24, "all.api.radio-browser.info"));
}

// The answer's elements as "name|type|bitrate|clicks|address|uuid".
QStringList Read(const QString& answer, int limit) {
    const std::optional<JsonStationPage> page = ReadJsonStationPage(answer, limit);
    if (!page) return {"none"};
    QStringList read{QString::number(page->elements)};
    for (const LiveStation& s : page->stations)
        read.append(QStringList({s.name, s.streamType, s.bitrate, QString::number(s.clicks),
                                 s.streamAddress(), s.uuid})
                        .join('|'));
    return read;
}

TEST(JsonAnswer, ElementsAreReadWithinTheLimitAndTheStationsOwnAddressIsPreferred) {
    const QString longName = QString(1023, u'x') + QString::fromUtf8("🎷");
    // clang-format off
    const struct { const char* what; QString answer; int limit; QStringList read; } cases[] = {
        {"fields", R"([{"stationuuid":"u1","name":" N\tA\r\nB ","bitrate":128,"codec":"AAC+","clickcount":7,)"
                   R"("url":"http://a/","url_resolved":"http://b/?tok=1"}])", 5, {"1", "NAB|AAC|128|7|http://a/|u1"}},
        {"url_resolved for an empty url or a playlist file", R"([{"url":"","url_resolved":"http://b/"},)"
         R"({"url":"http://a/x.PLS?id=1","url_resolved":"http://b/"},{"url":"http://a/x.m3u"},{"url":"http://a/x.pls.mp3","url_resolved":"http://b/"}])",
         5, {"4", "|||0|http://b/|", "|||0|http://b/|", "|||0|http://a/x.m3u|", "|||0|http://a/x.pls.mp3|"}},
        {"other types read as empty, other codecs less separators", R"([{"name":5,"url":["http://a/"],"bitrate":"128","codec":"../x\\y"},{"bitrate":-3},7])",
         5, {"3", "|..xy||0||", "|||0||"}},
        {"no more elements than asked for", R"([{"name":"a"},{"name":"b"},{"name":"c"}])", 2, {"2", "a|||0||", "b|||0||"}},
        {"a long name cut before a split character", "[{\"name\":\"" + longName + "\"}]", 1, {"1", QString(1023, u'x') + "|||0||"}},
        {"not an array", R"({"stations":[]})", 5, {"none"}},
    };  // clang-format on
    for (const auto& c : cases) EXPECT_EQ(Read(c.answer, c.limit), c.read) << c.what;
}

TEST(MergedSearches, GiveEachStationOnceInOrderAndAskForAPageOnlyWhenTheLastIsUsedUp) {
    // Two searches of pages of 2, by clicks or by bitrate (96 after 128); "b" is in both.
    for (const bool byBitrate : {false, true}) {
        SCOPED_TRACE(byBitrate ? "by bitrate" : "by clicks");
        const auto station = [&](const char* id, int rank) {
            LiveStation s;
            s.uuid = id;
            s.bitrate = byBitrate ? QString::number(rank) : QString();
            s.clicks = byBitrate ? 0 : rank;  // the other order's field ties
            return s;
        };
        const QMap<QString, QList<LiveStation>> pages = {
            {"one 0", {station("a", 320), station("b", 128)}},
            {"one 2", {station("d", 64)}},
            {"two 0", {station("b", 128), station("c", 96)}},
            {"two 2", {}}};
        QStringList asked;
        const MergedSearch::Fetch fetch = [&](const StationQuery& q) {
            const QString key = QString("%1 %2").arg(q.tag).arg(q.offset);
            asked.append(key);
            const QList<LiveStation> page = pages.value(key);
            return std::optional(JsonStationPage{page, page.size()});
        };
        MergedSearch search({{.tag = "one", .orderByBitrate = byBitrate, .limit = 2},
                             {.tag = "two", .orderByBitrate = byBitrate, .limit = 2}});
        QStringList given;
        while (const std::optional<LiveStation> s = search.next(fetch)) {
            given.append(s->uuid);
            given.append(QString::number(asked.size()));
        }
        EXPECT_EQ(given, QStringList({"a", "2", "b", "2", "c", "3", "d", "4"}));
        EXPECT_EQ(asked, QStringList({"one 0", "two 0", "one 2", "two 2"}));
    }
    // A fetch without an answer ends the merge.
    MergedSearch failing({{.tag = "one"}});
    EXPECT_FALSE(failing.next([](const StationQuery&) { return std::nullopt; }));
}

TEST(GenreTagTable, EveryGenreOfTheWindowButTopTenAndSearchHasTags) {
    for (const char* genre :
         {"Alternative", "Classical", "Comedy", "Country", "Dance", "Funk", "Jazz", "Metal",
          "Mixed", "Pop", "Rap", "RnB", "Rock", "Talk", "Techno", "70s", "80s", "World"})
        EXPECT_FALSE(GenreTags(genre).isEmpty()) << genre;
    EXPECT_TRUE(GenreTags("TopTen").isEmpty());
    EXPECT_TRUE(GenreTags("Search").isEmpty());
}

}  // namespace
