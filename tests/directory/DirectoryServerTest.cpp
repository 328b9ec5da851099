// The local directory over real HTTP, its pages read by the program's own parsers: the query
// keys, the entries of both layouts and the misbehaviours; its JSON station searches read by
// Qt's JSON reader. (Its playlists and request log are read by the station saver's tests, its
// JSON misbehaviours by the live window's.)
#include "DirectoryFixture.h"
#include "FakeScanHost.h"
#include "FetchText.h"
#include "PageParser.h"
#include "ScanState.h"
#include "StationSink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <functional>
#include <tuple>

namespace {

using Keep = std::function<bool(const CatalogueStation&)>;

// The stations kept, in listing order: most listeners first (highest bitrate first when ordered
// by bitrate, ties as usual), then lower id.
QList<CatalogueStation> listed(const Catalogue& catalogue, const Keep& keep, bool byBitrate) {
    QList<CatalogueStation> list;
    std::ranges::copy_if(catalogue.stations(), std::back_inserter(list), keep);
    std::ranges::sort(list, {}, [&](auto& s) {
        return std::tuple(byBitrate * -s.bitrate, -s.listeners(), s.id);
    });
    return list;
}

Keep genre(const char* name) {
    return [name](const CatalogueStation& s) { return s.genre == QLatin1String(name); };
}

QJsonDocument json(const QString& text) {
    return QJsonDocument::fromJson(text.toUtf8());
}

const QString kClassic = QStringLiteral("/directory/index.phtml?&sgenre=Rock");

QString playlistTarget(const QString& rn) {
    return "/sbin/shoutcast-playlist.pls?rn=" + rn + "&file=filename.pls";
}

class DirectoryServerTest : public DirectoryFixture, public StationSink {
protected:
    bool SaveStation(int32_t) override { return true; }

    // Every entry the program reads from a page: no stream-type filter, no minimum bitrate.
    QList<StationEntry> cut(const QString& page, bool classic) {
        FakeScanHost host;
        host.stream = QStringLiteral("<all>");
        ScanState state{.m_PageCount = 1, .m_GenreCount = 1, .m_PageText = NormaliseLineEnds(page)};
        PageParser parser(host, state, *this);
        classic ? parser.ParseClassicPage(INT32_MAX) : parser.ParseCurrentPage(INT32_MAX);
        return state.Stations.mid(1, state.StationCount);
    }
};

}  // namespace

TEST_F(DirectoryServerTest, QueryKeysChooseAndOrderStationsThatReadBackAsInTheCatalogue) {
    // clang-format off
    const struct { const char* query; Keep keep; bool byBitrate; int start, count; } cases[] = {
        {"numresult=5000", [](auto&) { return true; }, false, 0, 5000},
        {"startat=50&numresult=5&sgenre=Rock", genre("Rock"), false, 50, 5},
        {"&sgenre=Pop&maxbitrate=64&numresult=100",
         [](auto& s) { return s.genre == "Pop" && s.bitrate <= 64; }, false, 0, 100},
        {"&sgenre=Metal&orderby=bitrate&numresult=100", genre("Metal"), true, 0, 100},
        // Sent as the program sends a search: blanks as "+", nothing escaped.
        {"numresult=100&s=ROCK+FM",
         [](auto& s) { return s.name.contains("rock fm", Qt::CaseInsensitive); }, false, 0, 100},
    };  // clang-format on
    for (const auto& c : cases) {
        const auto want = listed(catalogue(), c.keep, c.byBitrate).mid(c.start, c.count);
        ASSERT_FALSE(want.isEmpty()) << c.query;
        for (const bool classic : {true, false}) {
            SCOPED_TRACE(std::string(c.query) + (classic ? " classic" : " current"));
            const auto got = cut(
                get(QString(classic ? "/directory/index.phtml?" : "/index.jsp?") + c.query).text,
                classic);
            ASSERT_EQ(got.size(), want.size());
            for (qsizetype i = 0; i < got.size(); ++i) {
                const StationEntry& e = got[i];
                const CatalogueStation& s = want[i];
                EXPECT_EQ(QStringList({e.Rn, e.Name, e.Bitrate, e.StreamType,
                                       classic ? e.NowPlaying : e.HomeLink, e.PlaylistLink}),
                          QStringList({QString::number(s.id), s.name, QString::number(s.bitrate),
                                       streamTypeName(s.type), classic ? s.nowPlaying : s.homepage,
                                       classic ? s.homepage : server().currentPlaylistLink(s.id)}));
            }
        }
    }
}

// Each switch is set on a prefix of its own over a catch-all 500, which holds again once the
// switch is cleared. Damage goes to every third (or second) entry of the first Rock page.
TEST_F(DirectoryServerTest, EachMisbehaviourHoldsForTheLongestMatchingPrefixUntilCleared) {
    const QList<CatalogueStation> rock = listed(catalogue(), genre("Rock"), false);
    const QString rn = QString::number(rock[0].id);
    const QString plain = get(playlistTarget(rn)).text;
    EXPECT_EQ(plain, catalogue().playlistText(rock[0].id));
    server().setMisbehaviour(QString(), {.status = 500});
    const QStringList pages{kClassic, "/index.jsp?&sgenre=Rock"}, playlist{playlistTarget(rn)};
    // clang-format off
    const struct { const char* name; QString prefix; Misbehaviour how; QStringList targets;
        std::function<bool(const Fetched&, const QList<StationEntry>&, bool classic)> holds;
    } cases[] = {
        {"crlf", "/sbin/", {.lineEnds = LineEnds::CrLf}, playlist,
         [&](auto& f, auto&, bool) { return f.text == QString(plain).replace("\n", "\r\n"); }},
        {"no type", "/", {.every = 3, .malformation = Malformation::NoTypeMarker}, pages,
         [](auto& f, auto& e, bool) { return e.size() == 25 &&
            f.text.count("MP3</") + f.text.count("AAC+</") + f.text.count("OGG</") == 17; }},
        {"no bitrate", "/", {.every = 3, .malformation = Malformation::NoBitrate}, pages,
         [&](auto&, auto& e, bool) { return e.size() == 25 && e[2].Bitrate.isEmpty() &&
            e[3].Bitrate.toInt() == rock[3].bitrate && e[2].Name == rock[2].name; }},
        {"skipped", "/", {.every = 3, .malformation = Malformation::SkippedEntry}, pages,
         [&](auto&, auto& e, bool) { return e.size() == 17 && e[2].Rn.toInt() == rock[3].id; }},
        // The classic reader has the broken entry's id before it stops.
        {"broken", "/", {.every = 3, .malformation = Malformation::BrokenEntry}, pages,
         [](auto&, auto& e, bool classic) { return e.size() == (classic ? 3 : 2); }},
        // Classic: the listeners cell stands where the bitrate should. Current: the first link
        // is the home page, which names no station id.
        {"out of order", "/", {.every = 3, .malformation = Malformation::OutOfOrder}, pages,
         [&](auto&, auto& e, bool classic) { return e.size() == 25 && (classic
            ? e[2].Bitrate.section(u'/', 0, 0).toInt() == rock[2].listeners()
            : e[2].Rn.isEmpty() && e[2].PlaylistLink.startsWith(rock[2].homepage)); }},
        {"latin-1", "/", {.every = 2, .invalidUtf8Names = true}, pages, [&](auto&, auto& e, bool) {
            return e.value(0).Name == rock[0].name && e.value(1).Name == rock[1].name + " été"; }},
        // The playlists read the first number of an id, so it still names the station.
        {"hostile", "/", {.hostileRn = true, .hostileBitrate = true}, pages,
         [&](auto&, auto& e, bool classic) { return e.size() == 25 && e[0].Rn == "../../" + rn &&
            e[0].Bitrate == QString::number(rock[0].bitrate) + "/../.." &&
            (classic ? get(playlistTarget(e[0].Rn)) : Fetched(e[0].PlaylistLink)).text == plain; }},
        // Made while it is sent: the genre's 60 stations over and over.
        {"long page", "/", {.entryCount = 2000}, pages, [&](auto& f, auto& e, bool) {
            return e.size() == 2000 && e[60].Rn == e[0].Rn && e[59].Rn != e[0].Rn &&
                f.getAllResponseHeaders().contains("Transfer-Encoding: chunked"); }},
    };  // clang-format on
    for (const auto& c : cases) {
        server().setMisbehaviour(c.prefix, c.how);
        for (const QString& target : c.targets) {
            SCOPED_TRACE(std::string(c.name) + " " + target.toStdString());
            const Fetched f = get(target);
            EXPECT_TRUE(c.holds(f, cut(f.text, target == kClassic), target == kClassic));
        }
        server().clearMisbehaviour(c.prefix);
        EXPECT_EQ(get(c.targets[0]).status(), 500) << c.name;
    }
}

// Expected lists are the whole catalogue, the stations only the JSON searches list included,
// filtered and sorted by the case's order, ties in catalogue order. Each station has the fields
// the program reads, of their JSON types.
TEST_F(DirectoryServerTest, JsonSearchFiltersOrdersAndPagesItsStationsByTheRealServersRules) {
    using Before = std::function<bool(const CatalogueStation&, const CatalogueStation&)>;
    const QStringList texts{"changeuuid", "stationuuid", "name",        "url",  "url_resolved",
                            "homepage",   "favicon",     "countrycode", "tags", "codec"};
    const QStringList numbers{"bitrate", "hls", "lastcheckok", "clickcount", "votes"};
    const auto rising = [](int (*of)(const CatalogueStation&)) -> Before {
        return [of](auto& a, auto& b) { return of(a) < of(b); };
    };
    const auto tags = [](auto& s) { return s.tags.split(','); };
    const Before byName = [](auto& a, auto& b) { return a.name.toLower() < b.name.toLower(); };
    // clang-format off
    const struct { const char* query; Keep keep; Before before; int offset, limit; } cases[] = {
        {"tag=rock&tagExact=true&order=clickcount&reverse=true&offset=25&limit=25",
         [&](auto& s) { return tags(s).contains("rock"); }, rising([](auto& s) { return -s.listeners(); }), 25, 25},
        // A tag is a part of the list of tags, case-blind, as SQL LIKE '%tag%' finds it.
        {"tag=RAP&hidebroken=true", [](auto& s) { return s.tags.contains("rap") && s.lastCheckOk; }, byName, 0, 1000},
        {"tag=R%26B&tagExact=TRUE&order=bitrate", [&](auto& s) { return tags(s).contains("r&b"); },
         rising([](auto& s) { return s.bitrate; }), 0, 1000},
        // Codecs whole and case-blind; an unknown bitrate is 0.
        {"codec=aac%2b&bitrateMin=64&bitrateMax=128&order=votes&limit=1000",
         [](auto& s) { return s.codec == "AAC+" && s.bitrate >= 64 && s.bitrate <= 128; },
         rising([](auto& s) { return s.votes; }), 0, 1000},
        {"bitrateMax=0", [](auto& s) { return s.bitrate == 0; }, byName, 0, 1000},
        {"name=ROCK+FM&order=bitrate&reverse=true",
         [](auto& s) { return s.name.contains("rock fm", Qt::CaseInsensitive); },
         rising([](auto& s) { return -s.bitrate; }), 0, 1000},
        {"name=bbc%20world%20service&nameExact=true", [](auto& s) { return s.name == "BBC World Service"; }, byName, 0, 1000},
        {"name=bbc%20world&nameExact=true", [](auto&) { return false; }, byName, 0, 1000},
        {"order=name&reverse=true&offset=1000&limit=30", [](auto&) { return true; },
         [](auto& a, auto& b) { return a.name.toLower() > b.name.toLower(); }, 1000, 30},
    };  // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        QList<CatalogueStation> want;
        for (const auto* list : {&catalogue().stations(), &catalogue().liveOnlyStations()})
            std::ranges::copy_if(*list, std::back_inserter(want), c.keep);
        std::ranges::stable_sort(want, c.before);
        want = want.mid(c.offset, c.limit);
        const Fetched f = get(QString("/json/stations/search?") + c.query);
        EXPECT_TRUE(f.getAllResponseHeaders().contains("Content-Type: application/json"));
        const QJsonArray got = json(f.text).array();
        ASSERT_EQ(got.size(), want.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i][QStringLiteral("stationuuid")].toString(), want[i].uuid) << i;
            // The program reads these fields by their JSON types.
            ASSERT_EQ(got[i].toObject().keys().size(), texts.size() + numbers.size());
            for (const QString& key : texts)
                EXPECT_TRUE(got[i][key].isString()) << key.toStdString();
            for (const QString& key : numbers)
                EXPECT_TRUE(got[i][key].isDouble()) << key.toStdString();
        }
    }
}
