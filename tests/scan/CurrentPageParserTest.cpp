// The current layout: links, names and bitrates cut from odd entries, and the entries that end
// a page.
#include "StationPages.h"

namespace {

const QString kBitrate = "\">Bitrate: <span class=\"fontYellowColor\">128</span>";

struct CurrentCase {
    const char* what;
    QString links;
    QString bitrateCell;
    StationEntry expected;  // Name, Bitrate, PlaylistLink, Rn and HomeLink are compared
};

class CurrentFieldsTest : public ParserFixture, public testing::TestWithParam<CurrentCase> {};

TEST_P(CurrentFieldsTest, CutsTheFieldsOfAnEntry) {
    const CurrentCase& c = GetParam();
    state.m_PageText = CurrentEntry(c.links, c.bitrateCell);
    parser.ParseCurrentPage(25);
    ASSERT_EQ(state.StationCount, 1) << c.what;
    const StationEntry& e = state.Stations[1];
    EXPECT_EQ(e.Name, c.expected.Name) << c.what;
    EXPECT_EQ(e.Bitrate, c.expected.Bitrate) << c.what;
    EXPECT_EQ(e.PlaylistLink, c.expected.PlaylistLink) << c.what;
    EXPECT_EQ(e.Rn, c.expected.Rn) << c.what;
    EXPECT_EQ(e.HomeLink, c.expected.HomeLink) << c.what;
    EXPECT_TRUE(e.NowPlaying.isEmpty()) << c.what;
}

StationEntry Fields(const char* name, const char* bitrate, const char* playlist, const char* rn,
                    const char* home = "http://home.example/") {
    StationEntry e;
    e.Name = name;
    e.Bitrate = bitrate;
    e.PlaylistLink = playlist;
    e.Rn = rn;
    e.HomeLink = home;
    return e;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CurrentFieldsTest,
    testing::Values(
        CurrentCase{"every key after id= is kept", CurrentLinks("a.pls?id=77&b=1", "  Radio One"),
                    "\"><span>Bitrate:</SPAN> <span class=\"FontYellowColor\">128</span>",
                    Fields("Radio One", "128", "a.pls?id=77&b=1", "77&b=1")},
        CurrentCase{"the character after > is dropped", CurrentLinks("x?id=1", "Radio One"),
                    "\">Bitrate: 64 </b>", Fields("adio One", "64", "x?id=1", "1")},
        CurrentCase{"tabs and line breaks go after trimming", CurrentLinks("x?id=1", " \t A\r\nB "),
                    "\">BITRATE: 64</b>", Fields(" AB", "", "x?id=1", "1")},
        CurrentCase{"an id= in the first two places is no id", CurrentLinks("id=5", "  R"),
                    "\">Bitrate:6</b>", Fields("R", "", "id=5", "")},
        CurrentCase{"no id, and the bitrate cut at the first closing tag",
                    CurrentLinks("/pls", "  R"), "\">Bitrate:  <b>96</b>",
                    Fields("R", "<b>96", "/pls", "")},
        CurrentCase{"one link only", "\"><a href=\"x?id=1\">R</a></div>", kBitrate,
                    Fields("", "128", "", "", "")},
        CurrentCase{"an empty first link", CurrentLinks("", "  R"), kBitrate,
                    Fields("", "128", "", "", "")}),
    [](const testing::TestParamInfo<CurrentCase>& info) {
        return "Case" + std::to_string(info.index);
    });

struct FaultCase {
    const char* what;
    QString middle;  // the entry between two good ones
    int32_t count;   // entries appended
    QList<int32_t> saved;
};

class CurrentFaultTest : public ParserFixture, public testing::TestWithParam<FaultCase> {};

TEST_P(CurrentFaultTest, AFaultEndsThePageKeepingWhatCameBefore) {
    const FaultCase& c = GetParam();
    state.m_PageText = CurrentEntry(TestStation()) + c.middle + CurrentEntry(TestStation());
    parser.ParseCurrentPage(25);
    EXPECT_EQ(state.StationCount, c.count) << c.what;
    EXPECT_EQ(sink.saved, c.saved) << c.what;
    EXPECT_EQ(state.Stations.size(), 4) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CurrentFaultTest,
    testing::Values(
        FaultCase{"no dirMoreGnrDiv", "dirMoreDtlDiv <a href=\"x\">", 1, {1}},
        FaultCase{"no > after the home link",
                  CurrentEntry("\"><a href=\"x?id=1\">L</a><a href=\"h\" no tag end", kBitrate),
                  2,
                  {1}},
        FaultCase{"an empty link text", CurrentEntry(CurrentLinks("x?id=1", ""), kBitrate), 2, {1}},
        FaultCase{"too few cells is skipped, not a fault",
                  "dirMoreDtlDiv\"><a href=\"x\">dirMoreGnrDiv dirListenersCnt",
                  2,
                  {1, 2}}),
    [](const testing::TestParamInfo<FaultCase>& info) {
        return "Case" + std::to_string(info.index);
    });

}  // namespace
