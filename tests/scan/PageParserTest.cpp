// What both page layouts share: stream types and their filter, the minimum bitrate and the
// most stations per page, the progress bar, and how pages append to the station list.
#include "StationPages.h"

#include <vector>

namespace {

struct Layout {
    const char* name;
    QString (*entry)(const TestStation&);
    void (PageParser::*parse)(int32_t);
};

class EveryLayoutTest : public ParserFixture, public testing::TestWithParam<Layout> {
protected:
    void setPage(const std::vector<TestStation>& stations) {
        QString text = QStringLiteral("<html><body>\r\n");
        for (const TestStation& s : stations) text += GetParam().entry(s);
        state.m_PageText = text + "</body></html>";
    }
    void parse(int32_t maxStations = 25) { (parser.*GetParam().parse)(maxStations); }
    static TestStation typed(const QString& name, const QString& typeText) {
        TestStation s;
        s.name = name;
        s.typeText = typeText;
        return s;
    }
};

TEST_P(EveryLayoutTest, StreamTypeIsTheLastMarkerFoundOrElseTheTypeOfTheEntryBefore) {
    setPage({typed("a", "\">none"), typed("b", "x>OGG</ and MP3</"), typed("c", "MP3</ first"),
             typed("d", "\">aac+</"), typed("e", ">MP3</ second"), typed("f", "\">mP3</"),
             typed("g", "\">AAC</")});
    parse();
    QStringList types;
    for (int i = 1; i <= state.StationCount; ++i) types.append(state.Stations[i].StreamType);
    EXPECT_EQ(types, QStringList({"", "OGG", "OGG", "AAC", "AAC", "MP3", "MP3"}));
    EXPECT_EQ(state.Stations[1].Genre, "Rock");
}

TEST_P(EveryLayoutTest, FilterTakesOnlyTheExactTypeAndInheritedTypesCount) {
    const std::pair<const char*, QStringList> cases[] = {
        {"MP3", {"C", "D"}}, {"AAC", {"A", "B"}}, {"mp3", {}}, {"<all>", {"A", "B", "C", "D"}}};
    for (const auto& [filter, names] : cases) {
        state.Stations = QVector<StationEntry>(1);
        state.StationCount = 0;
        host.stream = filter;
        setPage({typed("A", "\">AAC+</"), typed("B", "\">none"), typed("C", "\">MP3</"),
                 typed("D", "\">none")});
        parse();
        EXPECT_EQ(appendedNames(), names) << filter;
        EXPECT_EQ(state.Stations.size(), 5) << filter;  // grown for every piece of the page
    }
}

TEST_P(EveryLayoutTest, MinimumBitrateAndMostStationsDecideWhatIsSaved) {
    std::vector<TestStation> stations;
    for (const char* bitrate : {"128", "32", "", "64", "96kbps", "256", "abc", "160", "192"}) {
        stations.emplace_back();
        stations.back().name = bitrate;
        stations.back().bitrate = bitrate;
    }
    setPage(stations);
    state.m_MinBitrate = 64;
    parse(4);
    EXPECT_EQ(sink.saved, QList<int32_t>({1, 4, 5, 6}));
    EXPECT_EQ(sink.savedNames, QStringList({"128", "64", "96kbps", "256"}));
    // The fifth that passes is appended but not saved, and the page ends there.
    EXPECT_EQ(state.StationCount, 8);
    EXPECT_EQ(host.doEventsCalls, 8);
}

TEST_P(EveryLayoutTest, ProgressMovesThroughThePagesShareRoundingHalvesToEven) {
    struct Case {
        float base;
        float genres;
        int32_t pages;
        int entries;
        QList<int> values;
    };
    const Case cases[] = {{0, 1, 1, 8, {12, 25, 38, 50, 62, 75, 88, 100}},
                          {50, 2, 2, 5, {55, 60, 65, 70, 75}}};
    for (const Case& c : cases) {
        host.barValues.clear();
        QList<int> atEvents;
        host.onDoEvents = [&] { atEvents.append(host.barValue); };
        state.m_ProgressBase = c.base;
        state.m_GenreCount = c.genres;
        state.m_PageCount = c.pages;
        host.stream = "AAC";  // the bar moves for entries that are filtered out too
        setPage(std::vector<TestStation>(c.entries));
        parse();
        EXPECT_EQ(host.barValues, c.values);
        EXPECT_EQ(atEvents, c.values);  // the events run once per entry, after the bar moved
        EXPECT_EQ(state.m_ProgressBase, c.base);
    }
}

TEST_P(EveryLayoutTest, NoGenresOrNoPagesEndThePageBeforeItsFirstEntry) {
    for (const auto& [genres, pages] : {std::pair<float, int32_t>{0, 1}, {1, 0}}) {
        state.m_GenreCount = genres;
        state.m_PageCount = pages;
        setPage({TestStation(), TestStation()});
        parse();
        EXPECT_EQ(state.StationCount, 0);
        EXPECT_EQ(state.Stations.size(), 3);
        EXPECT_TRUE(host.barValues.isEmpty());
        EXPECT_EQ(host.doEventsCalls, 0);
    }
}

TEST_P(EveryLayoutTest, APageWithoutEntriesChangesNothing) {
    state.m_PageText = "<html><body>No stations found</body></html>";
    parse();
    EXPECT_EQ(state.Stations.size(), 1);
    EXPECT_TRUE(host.barValues.isEmpty());
    EXPECT_EQ(host.doEventsCalls, 0);
}

TEST_P(EveryLayoutTest, PagesAppendBehindEarlierEntriesAndSaveTheirIndexes) {
    setPage({typed("A", "\">MP3</"), typed("B", "\">MP3</")});
    parse();
    setPage({typed("C", "\">MP3</"), typed("D", "\">MP3</"), typed("E", "\">MP3</")});
    parse();
    EXPECT_EQ(state.StationCount, 5);
    EXPECT_EQ(appendedNames(), QStringList({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(sink.saved, QList<int32_t>({1, 2, 3, 4, 5}));
    EXPECT_EQ(state.Stations.size(), 2 + 3 + 1);
}

TEST_P(EveryLayoutTest, APageReadFromWithinTheEventsLeavesThePageInHandIntact) {
    // The Scan button clicked while a page is read parses another page in the middle of it.
    host.onDoEvents = [this] {
        host.onDoEvents = nullptr;
        TestStation nested;
        nested.name = "Nested";
        setPage({nested});
        parse();
    };
    setPage({typed("A", "\">MP3</"), typed("B", "\">MP3</"), typed("C", "\">MP3</")});
    parse();
    EXPECT_EQ(appendedNames(), QStringList({"Nested", "A", "B", "C"}));
    EXPECT_EQ(sink.savedNames, appendedNames());
    EXPECT_EQ(sink.saved, QList<int32_t>({1, 2, 3, 4}));
}

TEST_P(EveryLayoutTest, ALargePageIsReadInFull) {
    setPage(std::vector<TestStation>(20000));
    parse(1 << 30);
    EXPECT_EQ(state.StationCount, 20000);
    EXPECT_EQ(sink.saved.size(), 20000);
    EXPECT_EQ(sink.saved.back(), 20000);
    EXPECT_EQ(host.barValues.back(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EveryLayoutTest,
    testing::Values(Layout{"Current", &CurrentEntry, &PageParser::ParseCurrentPage},
                    Layout{"Classic", &ClassicEntry, &PageParser::ParseClassicPage}),
    [](const testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

}  // namespace
