// The local directory's page misbehaviours over real HTTP, read by the program's own parsers. (Its
// pages and JSON searches are checked by whole harvests, its playlists and request log by the
// station saver's tests, its JSON misbehaviours by the live window's.)
#include "DirectoryFixture.h"
#include "FakeScanHost.h"
#include "FetchText.h"
#include "PageParser.h"
#include "ScanState.h"
#include "StationSink.h"

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

// The catalogue's Rock stations in listing order: most listeners first, then lower id.
QList<CatalogueStation> rockListed(const Catalogue& catalogue) {
    QList<CatalogueStation> list;
    std::ranges::copy_if(catalogue.stations(), std::back_inserter(list),
                         [](auto& s) { return s.genre == QLatin1String("Rock"); });
    std::ranges::sort(list, {}, [&](auto& s) { return std::tuple(-s.listeners(), s.id); });
    return list;
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

// Each switch is set on the pages over a catch-all 500, which holds again once the switch is
// cleared. Damage goes to every third (or second) entry of the first Rock page.
TEST_F(DirectoryServerTest, EachMisbehaviourHoldsForTheLongestMatchingPrefixUntilCleared) {
    const QList<CatalogueStation> rock = rockListed(catalogue());
    const QString rn = QString::number(rock[0].id);
    const QString plain = get(playlistTarget(rn)).text;
    EXPECT_EQ(plain, catalogue().playlistText(rock[0].id));
    server().setMisbehaviour(QString(), {.status = 500});
    // clang-format off
    const struct { const char* name; Misbehaviour how;
        std::function<bool(const QList<StationEntry>&, bool classic)> holds;
    } cases[] = {
        {"no bitrate", {.every = 3, .malformation = Malformation::NoBitrate},
         [&](auto& e, bool) { return e.size() == 25 && e[2].Bitrate.isEmpty() &&
            e[3].Bitrate.toInt() == rock[3].bitrate && e[2].Name == rock[2].name; }},
        {"skipped", {.every = 3, .malformation = Malformation::SkippedEntry},
         [&](auto& e, bool) { return e.size() == 17 && e[2].Rn.toInt() == rock[3].id; }},
        // The classic reader has the broken entry's id before it stops.
        {"broken", {.every = 3, .malformation = Malformation::BrokenEntry},
         [](auto& e, bool classic) { return e.size() == (classic ? 3 : 2); }},
        // Classic: the listeners cell stands where the bitrate should. Current: the first link
        // is the home page, which names no station id.
        {"out of order", {.every = 3, .malformation = Malformation::OutOfOrder},
         [&](auto& e, bool classic) { return e.size() == 25 && (classic
            ? e[2].Bitrate.section(u'/', 0, 0).toInt() == rock[2].listeners()
            : e[2].Rn.isEmpty() && e[2].PlaylistLink.startsWith(rock[2].homepage)); }},
        {"latin-1", {.every = 2, .invalidUtf8Names = true}, [&](auto& e, bool) {
            return e.value(0).Name == rock[0].name && e.value(1).Name == rock[1].name + " été"; }},
        // The playlists read the first number of an id, so it still names the station.
        {"hostile", {.hostileRn = true, .hostileBitrate = true},
         [&](auto& e, bool classic) { return e.size() == 25 && e[0].Rn == "../../" + rn &&
            e[0].Bitrate == QString::number(rock[0].bitrate) + "/../.." &&
            (classic ? get(playlistTarget(e[0].Rn)) : Fetched(e[0].PlaylistLink)).text == plain; }},
    };  // clang-format on
    for (const auto& c : cases) {
        server().setMisbehaviour("/", c.how);
        for (const QString& target : {kClassic, QStringLiteral("/index.jsp?&sgenre=Rock")}) {
            SCOPED_TRACE(std::string(c.name) + " " + target.toStdString());
            EXPECT_TRUE(c.holds(cut(get(target).text, target == kClassic), target == kClassic));
        }
        server().clearMisbehaviour("/");
        EXPECT_EQ(get(kClassic).status(), 500) << c.name;
    }
}
