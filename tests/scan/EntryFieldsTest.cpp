// How each layout cuts the fields of one entry, and which odd entries end a page.
#include "StationPages.h"

namespace {

using Parse = void (PageParser::*)(int32_t);
constexpr Parse kCurrent = &PageParser::ParseCurrentPage;
constexpr Parse kClassic = &PageParser::ParseClassicPage;

// The fields a parser fills, in one line, so a failed comparison shows them all.
QString Fields(const StationEntry& e) {
    return QStringList(
               {e.Name, e.Bitrate, e.StreamType, e.HomeLink, e.PlaylistLink, e.NowPlaying, e.Rn})
        .join(u'|');
}

struct FieldsCase {
    const char* what;
    Parse parse;
    QString page;
    const char* expected;  // Name|Bitrate|StreamType|HomeLink|PlaylistLink|NowPlaying|Rn
};

class EntryFieldsTest : public ParserFixture, public testing::TestWithParam<FieldsCase> {};

TEST_P(EntryFieldsTest, CutsTheFieldsOfAnEntry) {
    const FieldsCase& c = GetParam();
    state.m_PageText = c.page;
    (parser.*c.parse)(25);
    ASSERT_EQ(state.StationCount, 1) << c.what;
    EXPECT_EQ(Fields(state.Stations[1]), c.expected) << c.what;
    EXPECT_EQ(sink.saved, QList<int32_t>({1})) << c.what;
}

const QString kBitrate = "\">Bitrate: <span class=\"fontYellowColor\">128</span>";
const QString kThreeCells = ClassicCell("Rock") + ClassicCell("42") + ClassicCell(" 128 ");
const QString kNowPlaying = ClassicCell("Now Playing:") + " Some Song</font>";
QString Classic(const QString& query, const QString& linkAndName, const QString& cells) {
    return ClassicEntry(query, ClassicRest("\">MP3</a>", linkAndName, cells));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryFieldsTest,
    testing::Values(
        FieldsCase{
            "current: every key after id= is kept, bitrate label in a span", kCurrent,
            CurrentEntry(CurrentLinks("a.pls?id=77&b=1", "  Radio One"),
                         "\"><span>Bitrate:</SPAN> <span class=\"FontYellowColor\">128</span>"),
            "Radio One|128|MP3|http://home.example/|a.pls?id=77&b=1||77&b=1"},
        FieldsCase{"current: the character after > is dropped", kCurrent,
                   CurrentEntry(CurrentLinks("x?id=1", "Radio One"), "\">Bitrate: 64 </b>"),
                   "adio One|64|MP3|http://home.example/|x?id=1||1"},
        FieldsCase{"current: tabs and line breaks go after trimming", kCurrent,
                   CurrentEntry(CurrentLinks("x?id=1", " \t A\r\nB "), "\">BITRATE: 64</b>"),
                   " AB||MP3|http://home.example/|x?id=1||1"},
        FieldsCase{"current: an id= in the first two places is no id", kCurrent,
                   CurrentEntry(CurrentLinks("id=5", "  R"), "\">Bitrate:6</b>"),
                   "R||MP3|http://home.example/|id=5||"},
        FieldsCase{"current: the bitrate is cut at the first closing tag", kCurrent,
                   CurrentEntry(CurrentLinks("/pls", "  R"), "\">Bitrate:  <b>96</b>"),
                   "R|<b>96|MP3|http://home.example/|/pls||"},
        FieldsCase{"current: one link only", kCurrent,
                   CurrentEntry("\"><a href=\"x?id=1\">R</a></div>", kBitrate), "|128|MP3||||"},
        FieldsCase{"current: an empty first link", kCurrent,
                   CurrentEntry(CurrentLinks("", "  R"), kBitrate), "|128|MP3||||"},
        FieldsCase{"classic: the name keeps its blanks, the bitrate is the third cell", kClassic,
                   Classic("?rn=4711", "http://s.example/?</a>\"> Radio One ", kThreeCells),
                   " Radio One |128|MP3||http://s.example/?</a>||4711"},
        FieldsCase{"classic: with a title the bitrate is the second cell after it", kClassic,
                   Classic("?rn=5", "h.pls\">R\tOne\r\n",
                           kNowPlaying + ClassicCell("42") + ClassicCell("64") + ClassicCell("9")),
                   "R\tOne\r\n|64|MP3||h.pls|Some Song|5"},
        FieldsCase{"classic: an empty link text is an empty name", kClassic,
                   Classic("?rn=", "h.pls\">", kThreeCells), "|128|MP3||h.pls||"},
        FieldsCase{"classic: a link ending at its second place is no link", kClassic,
                   Classic("?rn=9", "h\">Radio", kThreeCells), "|128|MP3||||9"}),
    [](const testing::TestParamInfo<FieldsCase>& info) {
        return "Case" + std::to_string(info.index);
    });

struct FaultCase {
    const char* what;
    Parse parse;
    QString middle;  // the entry between two good ones
    int32_t count;   // entries appended
    QList<int32_t> saved;
};

class PageFaultTest : public ParserFixture, public testing::TestWithParam<FaultCase> {};

TEST_P(PageFaultTest, AFaultEndsThePageKeepingWhatCameBefore) {
    const FaultCase& c = GetParam();
    QString (*entry)(const TestStation&) = ClassicEntry;
    if (c.parse == kCurrent) entry = CurrentEntry;
    state.m_PageText = entry(TestStation()) + c.middle + entry(TestStation());
    (parser.*c.parse)(25);
    EXPECT_EQ(state.StationCount, c.count) << c.what;
    EXPECT_EQ(sink.saved, c.saved) << c.what;
    EXPECT_EQ(state.Stations.size(), 4) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageFaultTest,
    testing::Values(
        FaultCase{"current: no dirMoreGnrDiv", kCurrent, "dirMoreDtlDiv <a href=\"x\">", 1, {1}},
        FaultCase{"current: no > after the home link",
                  kCurrent,
                  CurrentEntry("\"><a href=\"x?id=1\">L</a><a href=\"h\" no tag end", kBitrate),
                  2,
                  {1}},
        FaultCase{"current: an empty link text",
                  kCurrent,
                  CurrentEntry(CurrentLinks("x?id=1", ""), kBitrate),
                  2,
                  {1}},
        FaultCase{"current: too few cells is skipped, not a fault",
                  kCurrent,
                  "dirMoreDtlDiv\"><a href=\"x\">dirMoreGnrDiv dirListenersCnt",
                  2,
                  {1, 2}},
        FaultCase{"classic: no listlinks link",
                  kClassic,
                  ClassicEntry("?rn=1", "\">MP3</a> " + kThreeCells),
                  2,
                  {1}},
        FaultCase{"classic: a title and one cell after it",
                  kClassic,
                  Classic("?rn=1", "h\">R", kNowPlaying + ClassicCell("42")),
                  2,
                  {1}},
        FaultCase{"classic: two cells and no title",
                  kClassic,
                  Classic("?rn=1", "h\">R", ClassicCell("1") + ClassicCell("2")),
                  2,
                  {1}},
        FaultCase{"classic: no &file=filename.pls is skipped, not a fault",
                  kClassic,
                  "<a href=\"/sbin/shoutcast-playlist.pls?rn=1\">MP3</",
                  2,
                  {1, 2}}),
    [](const testing::TestParamInfo<FaultCase>& info) {
        return "Case" + std::to_string(info.index);
    });

}  // namespace
