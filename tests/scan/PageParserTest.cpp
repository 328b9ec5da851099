// How the page parsers read both layouts: the fields of an entry, the faults that end a page,
// the stream type and its filter, the minimum bitrate and the most stations a page may save, and
// the progress bar.
#include "FakeScanHost.h"
#include "PageParser.h"
#include "ScanState.h"
#include "StationSink.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Readable texts in the messages of failed comparisons.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

using Parse = void (PageParser::*)(int32_t);
constexpr Parse kCurrent = &PageParser::ParseCurrentPage;
constexpr Parse kClassic = &PageParser::ParseClassicPage;

// Current layout: the links before "dirMoreGnrDiv", then the listener, bitrate and type cells.
QString Links(const QString& playlist, const QString& name) {
    return "\"><a href=\"" + playlist + "\">Listen</a> <a href=\"http://home.example/\" " +
           "target=\"_blank\">" + name + "</a></div><div class=\"";
}
QString Current(const QString& links, const QString& bitrate, const QString& type = "\">MP3</") {
    const QString cell = "</div><div class=\"dirListenersCnt";
    return "dirMoreDtlDiv" + links + "dirMoreGnrDiv\">Rock" + cell + "\">42" + cell + bitrate +
           cell + type;
}
// Classic layout: the playlist link with the id, the type, the station's own link, the cells.
QString Cell(const QString& text) {
    return "<font size=\"2\" color=\"#FFFFFF\">" + text + "</font>";
}
QString Classic(const QString& rn, const QString& link, const QString& cells,
                const QString& type = "\">MP3</a>") {
    return "<a href=\"/sbin/shoutcast-playlist.pls?rn=" + rn + "&file=filename.pls" + type +
           " <a id=\"listlinks\" target=\"_scurl\" href=\"" + link + "</a>" + cells + "\n";
}
const QString kSpan = "\">Bitrate: <span class=\"fontYellowColor\">128</span>";
const QString kCells = Cell("Rock") + Cell("42") + Cell(" 128 ");
const QString kPlaying = Cell("Now Playing:") + " Some Song</font>";

// The parser on a fake window (filtering MP3), saving into a list of "index name".
class Parsing : public testing::Test, public StationSink {
protected:
    Parsing() {
        state.m_GenreCount = 1;  // one genre of one page: the page fills the whole bar
        state.m_PageCount = 1;
        state.m_Genre = "Rock";
    }
    bool SaveStation(int32_t i) override {
        saved.append(QString("%1 %2").arg(i).arg(state.Stations.value(i).Name));
        return true;
    }
    QStringList appended(QString StationEntry::*field = &StationEntry::Name) const {
        QStringList values;
        for (int i = 1; i <= state.StationCount; ++i) values.append(state.Stations[i].*field);
        return values;
    }

    FakeScanHost host;
    ScanState state;
    QStringList saved;
    PageParser parser{host, state, *this};
};

// One entry between two good ones ("A", id 1, 128 kbit/s, MP3).
// Expected: the fields of the second entry (Name|Bitrate|StreamType|HomeLink|PlaylistLink|
// NowPlaying|Rn), how many entries were appended and how many saved.
struct EntryCase {
    const char* what;
    Parse parse;
    QString entry;
    const char* fields;
    int appended = 3, saved = 3;
};
void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << c.what;
}

class Entries : public Parsing, public testing::WithParamInterface<EntryCase> {};

TEST_P(Entries, AreCutIntoTheirFieldsOrEndThePageKeepingWhatCameBefore) {
    const EntryCase& c = GetParam();
    const QString good = c.parse == kCurrent ? Current(Links("x?id=1", "  A"), kSpan)
                                             : Classic("1", "h.pls\">A", kCells);
    state.m_PageText = good + c.entry + good;
    (parser.*c.parse)(25);
    const StationEntry& e = state.Stations.value(2);
    const QStringList fields = {e.Name,         e.Bitrate,    e.StreamType, e.HomeLink,
                                e.PlaylistLink, e.NowPlaying, e.Rn};
    EXPECT_EQ(fields.join('|'), QString(c.fields));
    EXPECT_EQ(state.StationCount, c.appended);
    EXPECT_EQ(saved.size(), c.saved);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(BothLayouts, Entries, testing::Values(
    EntryCase{"current: Rn is all after id=, bitrate label in a span", kCurrent,
              Current(Links("a.pls?id=77&b=1", "  Radio One"),
                      "\"><span>Bitrate:</SPAN> <span class=\"FontYellowColor\">128</span>"),
              "Radio One|128|MP3|http://home.example/|a.pls?id=77&b=1||77&b=1"},
    EntryCase{"current: plain bitrate; the character after > is dropped", kCurrent,
              Current(Links("x?id=1", "Radio One"), "\">Bitrate: 64 </b>"), "adio One|64|MP3|http://home.example/|x?id=1||1"},
    EntryCase{"current: tabs and line breaks go after trimming blanks", kCurrent,
              Current(Links("x?id=1", " \t A\r\nB "), "\">BITRATE: 64</b>"), " AB||MP3|http://home.example/|x?id=1||1"},
    EntryCase{"current: an id= in the first two places is no id", kCurrent,
              Current(Links("xid=5", "  R"), "\">Bitrate:6</b>"), "R||MP3|http://home.example/|xid=5||"},
    EntryCase{"current: no id=; the bitrate ends at the first closing tag", kCurrent,
              Current(Links("/pls", "  R"), "\">Bitrate:  <b>96</b>"), "R|<b>96|MP3|http://home.example/|/pls||"},
    EntryCase{"classic: the name untouched, the bitrate the third cell", kClassic,
              Classic("4711", "http://s.example/?</a>\"> Radio One ", kCells), " Radio One |128|MP3||http://s.example/?</a>||4711"},
    EntryCase{"classic: with a title the bitrate is the second cell after it", kClassic,
              Classic("5", "h.pls\">R\tOne\r\n", kPlaying + Cell("42") + Cell("64") + Cell("9")), "R\tOne\r\n|64|MP3||h.pls|Some Song|5"},
    EntryCase{"classic: a link ending at its second place is no link", kClassic, Classic("9", "h\">Radio", kCells), "|128|MP3||||9"},
    // Faults: the fields read so far stay, the page ends.
    EntryCase{"current: no dirMoreGnrDiv", kCurrent, "dirMoreDtlDiv <a href=\"x\">", "||||||", 1, 1},
    EntryCase{"current: no > after the home link", kCurrent,
              Current("\"><a href=\"x?id=1\">L</a><a href=\"h\" no tag end", kSpan), "|128|MP3||x?id=1||1", 2, 1},
    EntryCase{"current: an empty link text", kCurrent, Current(Links("x?id=2", ""), kSpan), "|128|MP3|http://home.example/|x?id=2||2", 2, 1},
    EntryCase{"classic: no listlinks link", kClassic,
              "<a href=\"/sbin/shoutcast-playlist.pls?rn=2&file=filename.pls\">MP3</a> " + kCells, "||MP3||||2", 2, 1},
    EntryCase{"classic: a title and one cell after it", kClassic, Classic("2", "h.pls\">R", kPlaying + Cell("42")), "R||MP3||h.pls|Some Song|2", 2, 1},
    // Not entries: passed over.
    EntryCase{"current: two cells, not three", kCurrent,
              "dirMoreDtlDiv\"><a href=\"x\">dirMoreGnrDiv dirListenersCnt dirListenersCnt",
              "A|128|MP3|http://home.example/|x?id=1||1", 2, 2},
    EntryCase{"classic: no &file=filename.pls", kClassic, "<a href=\"/sbin/shoutcast-playlist.pls?rn=2\">MP3</",
              "A|128|MP3||h.pls||1", 2, 2}));
// clang-format on

// ---- What both layouts share ----

struct Station {
    QString name = "Radio One", bitrate = "128", type = "\">MP3</";
};
struct Layout {
    const char* name;
    Parse parse;
    QString (*entry)(const Station&);
};

class EveryLayout : public Parsing, public testing::WithParamInterface<Layout> {
protected:
    void readPage(const std::vector<Station>& stations, int32_t maxStations = 25) {
        QString page = "<html><body>\r\n";
        for (const Station& s : stations) page += GetParam().entry(s);
        state.m_PageText = page + "</body></html>";
        (parser.*GetParam().parse)(maxStations);
    }
};

TEST_P(EveryLayout, StreamTypeIsTheLastMarkerFoundElseThePreviousOneAndTheFilterIsExact) {
    // Markers in the first two places do not count; their case does not matter.
    const std::vector<Station> page = {
        {.name = "a", .type = "\">none"},       {.name = "b", .type = "x>OGG</ and MP3</"},
        {.name = "c", .type = "MP3</ first"},   {.name = "d", .type = "\">aac+</"},
        {.name = "e", .type = ">MP3</ second"}, {.name = "f", .type = "\">mP3</"},
        {.name = "g", .type = "\">AAC</"}};
    for (const auto& [filter, names] : {std::pair<const char*, const char*>{"AAC", "d e"},
                                        {"MP3", "f g"},
                                        {"mp3", ""},
                                        {"<all>", "a b c d e f g"}}) {
        state.Stations.resize(1);
        state.StationCount = 0;
        host.stream = filter;
        readPage(page);
        EXPECT_EQ(appended().join(' '), QString(names)) << filter;
    }
    EXPECT_EQ(appended(&StationEntry::StreamType),
              QStringList({"", "OGG", "OGG", "AAC", "AAC", "MP3", "MP3"}));
    EXPECT_EQ(appended(&StationEntry::Genre), QStringList(7, "Rock"));
}

TEST_P(EveryLayout, BelowTheMinimumIsNotSavedNorCountedAndOneOverTheMostEndsThePage) {
    std::vector<Station> page;
    for (const char* bitrate : {"128", "32", "", "64", "96kbps", "256", "abc", "160", "192", "320"})
        page.push_back({.name = bitrate, .bitrate = bitrate});
    state.m_MinBitrate = 64;
    readPage(page, 5);
    EXPECT_EQ(saved, QStringList({"1 128", "4 64", "5 96kbps", "6 256", "8 160"}));
    // The sixth that passes (192) is appended but not saved; the seventh is not read.
    EXPECT_EQ(appended().mid(7), QStringList({"160", "192"}));
    EXPECT_EQ(host.doEventsCalls, 9);
}

TEST_P(EveryLayout, EachEntryMovesTheBarByItsShareOfTheRunAndNoShareReadsNothing) {
    state.m_ProgressBase = 50;
    state.m_GenreCount = 2;
    state.m_PageCount = 2;
    host.stream = "AAC";  // entries filtered out move the bar too
    readPage(std::vector<Station>(4));
    // 6.25 per entry from 50 on, halves to the even neighbour.
    EXPECT_EQ(host.barValues, QList<int>({56, 62, 69, 75}));
    EXPECT_EQ(state.m_ProgressBase, 50);
    EXPECT_EQ(state.Stations.size(), 1);  // the list grows only by the entries appended
    host.stream = "<all>";
    state.m_PageCount = 0;
    readPage(std::vector<Station>(2));
    EXPECT_EQ(state.StationCount, 0);
    EXPECT_EQ(host.barValues.size(), 4);
}

QString CurrentStation(const Station& s) {
    return Current(Links("/pls?id=77", "  " + s.name),
                   "\">Bitrate: <span class=\"fontYellowColor\">" + s.bitrate + "</span>", s.type);
}
QString ClassicStation(const Station& s) {
    return Classic("77", "http://s.example/\">" + s.name,
                   Cell("Rock") + Cell("42") + Cell(s.bitrate), s.type);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Layouts, EveryLayout, testing::Values(Layout{"Current", kCurrent, &CurrentStation},
                                                               Layout{"Classic", kClassic, &ClassicStation}),
                         [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
