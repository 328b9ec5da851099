// The classic layout: the station id, the untouched name, the title playing now and the bitrate
// cell that depends on it, and the entries that end a page.
#include "StationPages.h"

namespace {

struct ClassicCase {
    const char* what;
    QString query;
    QString linkAndName;
    QString cells;
    StationEntry expected;  // Name, Bitrate, PlaylistLink, NowPlaying and Rn are compared
};

class ClassicFieldsTest : public ParserFixture, public testing::TestWithParam<ClassicCase> {};

TEST_P(ClassicFieldsTest, CutsTheFieldsOfAnEntry) {
    const ClassicCase& c = GetParam();
    state.m_PageText = ClassicEntry(c.query, ClassicRest("\">MP3</a>", c.linkAndName, c.cells));
    parser.ParseClassicPage(25);
    ASSERT_EQ(state.StationCount, 1) << c.what;
    const StationEntry& e = state.Stations[1];
    EXPECT_EQ(e.Name, c.expected.Name) << c.what;
    EXPECT_EQ(e.Bitrate, c.expected.Bitrate) << c.what;
    EXPECT_EQ(e.PlaylistLink, c.expected.PlaylistLink) << c.what;
    EXPECT_EQ(e.NowPlaying, c.expected.NowPlaying) << c.what;
    EXPECT_EQ(e.Rn, c.expected.Rn) << c.what;
    EXPECT_TRUE(e.HomeLink.isEmpty()) << c.what;
    EXPECT_EQ(sink.saved, QList<int32_t>({1})) << c.what;
}

StationEntry Fields(const char* name, const char* bitrate, const char* playing, const char* rn,
                    const char* link = "http://s.example/") {
    StationEntry e;
    e.Name = name;
    e.Bitrate = bitrate;
    e.NowPlaying = playing;
    e.Rn = rn;
    e.PlaylistLink = link;
    return e;
}

const QString kNowPlaying = ClassicCell("Now Playing:") + " Some Song</font>";

INSTANTIATE_TEST_SUITE_P(
    Entries, ClassicFieldsTest,
    testing::Values(
        ClassicCase{"the name keeps its blanks, the bitrate is the third cell", "?rn=4711",
                    "http://s.example/\"> Radio One ",
                    ClassicCell("Rock") + ClassicCell("42") + ClassicCell(" 128 "),
                    Fields(" Radio One ", "128", "", "4711")},
        ClassicCase{"with a title the bitrate is the second cell after it", "?rn=5",
                    "http://s.example/\">R\tOne\r\n",
                    kNowPlaying + ClassicCell("42") + ClassicCell("64") + ClassicCell("999"),
                    Fields("R\tOne\r\n", "64", "Some Song", "5")},
        ClassicCase{"an empty link text is an empty name", "?rn=", "http://s.example/\">",
                    ClassicCell("a") + ClassicCell("b") + ClassicCell("320"),
                    Fields("", "320", "", "")},
        ClassicCase{"a link ending at its second place is no link", "?rn=9", "h\">Radio",
                    ClassicCell("a") + ClassicCell("b") + ClassicCell("320"),
                    Fields("", "320", "", "9", "")}),
    [](const testing::TestParamInfo<ClassicCase>& info) {
        return "Case" + std::to_string(info.index);
    });

struct FaultCase {
    const char* what;
    QString middle;  // the entry between two good ones
    int32_t count;   // entries appended
    QList<int32_t> saved;
};

class ClassicFaultTest : public ParserFixture, public testing::TestWithParam<FaultCase> {};

TEST_P(ClassicFaultTest, AFaultEndsThePageKeepingWhatCameBefore) {
    const FaultCase& c = GetParam();
    state.m_PageText = ClassicEntry(TestStation()) + c.middle + ClassicEntry(TestStation());
    parser.ParseClassicPage(25);
    EXPECT_EQ(state.StationCount, c.count) << c.what;
    EXPECT_EQ(sink.saved, c.saved) << c.what;
    EXPECT_EQ(state.Stations.size(), 4) << c.what;
}

const QString kThreeCells = ClassicCell("a") + ClassicCell("b") + ClassicCell("128");

INSTANTIATE_TEST_SUITE_P(
    Pages, ClassicFaultTest,
    testing::Values(
        FaultCase{"no listlinks link", ClassicEntry("?rn=1", "\">MP3</a> " + kThreeCells), 2, {1}},
        FaultCase{"a title and one cell after it",
                  ClassicEntry("?rn=1",
                               ClassicRest("\">MP3</", "h\">R", kNowPlaying + ClassicCell("42"))),
                  2,
                  {1}},
        FaultCase{"two cells and no title",
                  ClassicEntry("?rn=1", ClassicRest("\">MP3</", "h\">R",
                                                    ClassicCell("1") + ClassicCell("2"))),
                  2,
                  {1}},
        FaultCase{"no &file=filename.pls is skipped, not a fault",
                  "<a href=\"/sbin/shoutcast-playlist.pls?rn=1\">MP3</",
                  2,
                  {1, 2}}),
    [](const testing::TestParamInfo<FaultCase>& info) {
        return "Case" + std::to_string(info.index);
    });

}  // namespace
