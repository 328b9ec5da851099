// The scan driver on a fake window and a directory that only notes the pages asked of it: how
// many stations per genre make how many pages of which size, which genres a run walks, and a
// minimum bitrate above the maximum.
#include "FakeScanHost.h"
#include "PageSource.h"
#include "QueryAddress.h"
#include "ScanDriver.h"
#include "ScanState.h"

#include <gtest/gtest.h>

namespace {

// Each page as "genre:start+size".
class NotedPages : public PageSource {
public:
    void runGenre(const GenrePages& genre, ScanState&) override {
        for (int page = 1; page <= genre.pages; ++page) {
            const PageQuery query = genre.query(page);
            pages.append(QStringLiteral("%1:%2+%3")
                             .arg(query.genre)
                             .arg(query.startOffset)
                             .arg(query.pageSize));
        }
    }
    QStringList pages;
};

class Driver : public testing::Test {
protected:
    QStringList run() {
        source.pages.clear();
        ScanDriver(host, state, [this]() -> PageSource& { return source; }).cmdRun_Click();
        return source.pages;
    }
    FakeScanHost host;
    ScanState state;
    NotedPages source;
};

// Pages of 25, or with "Fast Scan" of 100, as many as the stations make, halves to even.
TEST_F(Driver, AsksForEveryPageOfTheGenre) {
    // clang-format off
    const std::tuple<const char*, int, int, int, int> rules[] = {  // size, pages; fast size, pages
        {"25", 25, 1, 25, 1}, {"50", 25, 2, 50, 1}, {"200", 25, 8, 100, 2}, {"750", 25, 30, 100, 8}};
    // clang-format on
    for (const auto& [stations, size, pages, fastSize, fastPages] : rules)
        for (const bool fast : {false, true}) {
            host.number = stations;
            host.fast = fast;
            QStringList expected;
            const int pageSize = fast ? fastSize : size;
            for (int page = 0; page < (fast ? fastPages : pages); ++page)
                expected.append(QStringLiteral("TopTen:%1+%2").arg(page * pageSize).arg(pageSize));
            EXPECT_EQ(run(), expected) << stations << (fast ? " fast" : "");
        }
}

// A full scan walks the list in order, whatever is selected; "Search" (last) only with a text
// that is more than blanks. A minimum above a set maximum is lowered to it.
TEST_F(Driver, ScanAllGenresAndTheMinimumBitrate) {
    host.genres = {"TopTen", "Rock", "Jazz", "Search"};
    host.genreIndex = 2;
    state.m_NotSaved = 5;  // an earlier run's: a run's ending counts only its own
    EXPECT_EQ(run(), QStringList({"Jazz:0+5"}));
    EXPECT_EQ(state.m_NotSaved, 0);
    host.allGenres = true;
    for (const auto& [search, last] : {std::pair("", "Jazz"), {"  ", "Jazz"}, {" a", "Search"}}) {
        host.search = search;
        const QStringList walked = run();
        EXPECT_EQ(walked.first(), "TopTen:0+5");
        EXPECT_EQ(walked.last(), QString(last) + ":0+5");
        EXPECT_EQ(walked.size(), host.genres.indexOf(last) + 1);
    }
    for (const auto& [minimum, maximum, after] : {std::tuple(7, 4, 4), {7, 0, 7}, {3, 4, 3}}) {
        host.minBitIndex = minimum;
        host.maxBitIndex = maximum;
        run();
        EXPECT_EQ(host.minBitIndex, after) << minimum << " " << maximum;
    }
}

}  // namespace
