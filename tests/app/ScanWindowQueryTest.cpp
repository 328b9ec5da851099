// The page queries a run sends, read from the local directory's request log: the page rule for
// every choice of stations per genre, worked examples of the option keys, and the genres a run
// walks. The result pages answer 404 here, so no playlist is fetched.
#include "ScanWindow.h"

#include <QCheckBox>
#include <QDir>

#include <tuple>

namespace {

using namespace ScanWindow;

class ScanWindowQueries : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Misbehaviour notFound;
        notFound.status = 404;
        server().setMisbehaviour(QStringLiteral("/directory/"), notFound);
    }
};

// Stations per genre -> page size and pages, without "Fast Scan" and with it.
struct PageRule { const char* stations; int size, pages, fastSize, fastPages; };

class ScanWindowPageRule : public ScanWindowQueries,
                           public testing::WithParamInterface<std::tuple<PageRule, bool>> {};

TEST_P(ScanWindowPageRule, AsksForEveryPageOfTheGenre) {
    const auto& [rule, fast] = GetParam();
    Select(window.CmbNumber, rule.stations);
    window.chk100->setChecked(fast);
    run();
    const int size = fast ? rule.fastSize : rule.size;
    const int pages = fast ? rule.fastPages : rule.pages;
    QStringList expected;
    for (int start = 0; start < size * pages; start += size) {
        QString query = start == 0 ? QString() : QStringLiteral("startat=%1").arg(start);
        if (size != 25) query += (start == 0 ? "" : "&") + QStringLiteral("numresult=%1").arg(size);
        expected.append(query + "&sgenre=TopTen");
    }
    EXPECT_EQ(pageQueries(), expected);
    EXPECT_EQ(window.scanState().m_PageCount, pages);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryNumber, ScanWindowPageRule, testing::Combine(testing::Values(
    PageRule{"5", 5, 1, 5, 1},          PageRule{"10", 10, 1, 10, 1},       PageRule{"25", 25, 1, 25, 1},
    PageRule{"50", 25, 2, 50, 1},       PageRule{"100", 25, 4, 100, 1},     PageRule{"200", 25, 8, 100, 2},
    PageRule{"300", 25, 12, 100, 3},    PageRule{"400", 25, 16, 100, 4},    PageRule{"500", 25, 20, 100, 5},
    PageRule{"750", 25, 30, 100, 8},    PageRule{"1000", 25, 40, 100, 10},  PageRule{"1500", 25, 60, 100, 15},
    PageRule{"2000", 25, 80, 100, 20},  PageRule{"2500", 25, 100, 100, 25}, PageRule{"3000", 25, 120, 100, 30},
    PageRule{"4000", 25, 160, 100, 40}, PageRule{"5000", 25, 200, 100, 50}), testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).stations) + (std::get<1>(info.param) ? "_Fast" : "_Paged");
    });

// Every page query of a run for these options, and the minimum bitrate the run went by.
struct QueryCase {
    const char *name, *genre, *stations; bool fast; const char *minimum, *maximum; bool ordered;
    const char* search; QStringList queries; const char* minimumAfter;
};

class ScanWindowQueryKeys : public ScanWindowQueries,
                            public testing::WithParamInterface<QueryCase> {};

TEST_P(ScanWindowQueryKeys, SendsTheOptionsAsTheyStand) {
    const QueryCase& c = GetParam();
    Select(window.CmbGenre, c.genre);
    Select(window.CmbNumber, c.stations);
    Select(window.cmbMinBit, c.minimum);
    Select(window.cmbMaxBit, c.maximum);
    window.chk100->setChecked(c.fast);
    window.chkOrderBitrate->setChecked(c.ordered);
    window.txtSearch->setText(c.search);
    run();
    EXPECT_EQ(pageQueries(), c.queries);
    EXPECT_EQ(window.cmbMinBit->currentText(), c.minimumAfter);
    EXPECT_EQ(window.scanState().m_MinBitrate, QString(c.minimumAfter).toInt());
    EXPECT_EQ(window.txturl->text(), server().baseUrl() + kClassicPage + c.queries.last());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Options, ScanWindowQueryKeys, testing::Values(
    //        name                        genre     number  fast   min    max    order  search
    QueryCase{"RockPagesOf25",            "Rock",   "100",  false, "96",  "",    false, "",
              {"&sgenre=Rock", "startat=25&sgenre=Rock", "startat=50&sgenre=Rock", "startat=75&sgenre=Rock"}, "96"},
    QueryCase{"RockFastOrderedUpTo128",   "Rock",   "200",  true,  "96",  "128", true,  "",
              {"numresult=100&sgenre=Rock&maxbitrate=128&orderby=bitrate",
               "startat=100&numresult=100&sgenre=Rock&maxbitrate=128&orderby=bitrate"}, "96"},
    QueryCase{"Search",                   "Search", "5",    true,  "96",  "",    false, "50s and 60s", {"numresult=5&s=50s+and+60s"}, "96"},
    QueryCase{"SearchWithEmptyBox",       "Search", "5",    true,  "96",  "",    false, "",            {"numresult=5"}, "96"},
    QueryCase{"SearchWithAmpersand",      "Search", "5",    true,  "96",  "",    false, "rock & roll", {"numresult=5"}, "96"},
    QueryCase{"SearchOfBlanksOnly",       "Search", "5",    true,  "96",  "",    false, "   ",         {"numresult=5&s=+++"}, "96"},
    QueryCase{"SearchTextWithAGenre",     "Jazz",   "25",   true,  "96",  "",    false, "50s",         {"&sgenre=Jazz"}, "96"},
    QueryCase{"MinimumAboveMaximum",      "Rock",   "5",    true,  "128", "64",  false, "",            {"numresult=5&sgenre=Rock&maxbitrate=64"}, "64"},
    QueryCase{"MinimumWithoutMaximum",    "Rock",   "5",    true,  "128", "",    false, "",            {"numresult=5&sgenre=Rock"}, "128"},
    QueryCase{"EmptyMinimum",             "Rock",   "5",    true,  "",    "24",  false, "",            {"numresult=5&sgenre=Rock&maxbitrate=24"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ScanWindowQueries, ScanAllGenresWalksTheListInOrderWithSearchLastOnlyForASearchText) {
    Select(window.CmbGenre, "Rock");  // the selection does not matter for a full scan
    window.chkAllGenre->setChecked(true);
    for (const auto& [search, searchQuery] : {std::pair<QString, QString>{"", ""}, {"  ", ""},
                                              {"wave radio", "numresult=5&s=wave+radio"}}) {
        server().clearLog();
        window.txtSearch->setText(search);
        run();
        QStringList genres, queries;
        for (int i = 0; i < window.CmbGenre->count() - 1; ++i) {
            genres.append(window.CmbGenre->itemText(i));
            queries.append("numresult=5&sgenre=" + genres.last());
        }
        if (!searchQuery.isEmpty()) {
            genres.append("Search");
            queries.append(searchQuery);
        }
        EXPECT_EQ(pageQueries(), queries);
        EXPECT_EQ(window.scanState().m_GenreCount, genres.size());
        // Every genre gets its folder under the download folder.
        genres.sort();
        EXPECT_EQ(QDir(downloadDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), genres);
    }
}

}  // namespace
