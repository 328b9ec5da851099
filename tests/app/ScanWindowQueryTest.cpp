// The page queries a run sends, read from the local directory's request log: how many pages
// of what size for every choice of stations per genre, the genres a run walks, and the keys
// the options add. The result pages answer 404 here, so no playlist is fetched.
#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "ScanWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>

namespace {

using MainWindowDriver::Select;
using ScanWindow::PageQueries;

class ScanWindowQueries : public DirectoryFixture {
protected:
    void SetUp() override {
        DirectoryFixture::SetUp();
        Misbehaviour notFound;
        notFound.status = 404;
        server().setMisbehaviour(QStringLiteral("/directory/"), notFound);
        window.txtDL->setText(downloadDir());
    }

    void run() {
        MainWindowDriver::Run(window);
        EXPECT_EQ(window.vp1->Text(), "Done");
        EXPECT_EQ(window.vp1->Value(), 100);
        EXPECT_EQ(window.cmdRun->text(), "&Run");
    }

    frmMain window;
};

// ---- Pages per genre and their size ----

struct PageRule {
    const char* stations;
    bool fastScan;
    int pageSize;
    int pages;

    friend void PrintTo(const PageRule& r, std::ostream* out) {
        *out << r.stations << (r.fastScan ? " fast" : " paged");
    }
};

class ScanWindowPageRule : public ScanWindowQueries,
                           public testing::WithParamInterface<PageRule> {};

TEST_P(ScanWindowPageRule, AsksForEveryPageOfTheGenre) {
    const PageRule rule = GetParam();
    Select(window.CmbNumber, rule.stations);
    window.chk100->setChecked(rule.fastScan);
    run();

    QStringList expected;
    const QString size =
        rule.pageSize == 25 ? QString() : QStringLiteral("numresult=%1").arg(rule.pageSize);
    for (int page = 1; page <= rule.pages; ++page) {
        const int start = (page - 1) * rule.pageSize;
        QString query = start == 0 ? size : QStringLiteral("startat=%1").arg(start);
        if (start != 0 && !size.isEmpty()) query += "&" + size;
        expected.append(query + "&sgenre=TopTen");
    }
    EXPECT_EQ(PageQueries(server()), expected);
    EXPECT_EQ(window.scanState().m_PageCount, rule.pages);
}

// Stations per genre -> page size x pages, without and with "Fast Scan".
INSTANTIATE_TEST_SUITE_P(
    EveryNumber, ScanWindowPageRule,
    testing::Values(PageRule{"5", false, 5, 1}, PageRule{"5", true, 5, 1},
                    PageRule{"10", false, 10, 1}, PageRule{"10", true, 10, 1},
                    PageRule{"25", false, 25, 1}, PageRule{"25", true, 25, 1},
                    PageRule{"50", false, 25, 2}, PageRule{"50", true, 50, 1},
                    PageRule{"100", false, 25, 4}, PageRule{"100", true, 100, 1},
                    PageRule{"200", false, 25, 8}, PageRule{"200", true, 100, 2},
                    PageRule{"300", false, 25, 12}, PageRule{"300", true, 100, 3},
                    PageRule{"400", false, 25, 16}, PageRule{"400", true, 100, 4},
                    PageRule{"500", false, 25, 20}, PageRule{"500", true, 100, 5},
                    PageRule{"750", false, 25, 30}, PageRule{"750", true, 100, 8},
                    PageRule{"1000", false, 25, 40}, PageRule{"1000", true, 100, 10},
                    PageRule{"1500", false, 25, 60}, PageRule{"1500", true, 100, 15},
                    PageRule{"2000", false, 25, 80}, PageRule{"2000", true, 100, 20},
                    PageRule{"2500", false, 25, 100}, PageRule{"2500", true, 100, 25},
                    PageRule{"3000", false, 25, 120}, PageRule{"3000", true, 100, 30},
                    PageRule{"4000", false, 25, 160}, PageRule{"4000", true, 100, 40},
                    PageRule{"5000", false, 25, 200}, PageRule{"5000", true, 100, 50}),
    [](const testing::TestParamInfo<PageRule>& info) {
        return std::string(info.param.stations) + (info.param.fastScan ? "_Fast" : "_Paged");
    });

// ---- Keys of the query ----

struct QueryCase {
    const char* name;
    const char* genre;
    const char* stations;
    bool fastScan;
    const char* minimum;
    const char* maximum;
    bool ordered;
    const char* search;
    QStringList queries;       // every page query of the run, in order
    const char* minimumAfter;  // cmbMinBit when the first query was written

    friend void PrintTo(const QueryCase& c, std::ostream* out) { *out << c.name; }
};

class ScanWindowQueryKeys : public ScanWindowQueries,
                            public testing::WithParamInterface<QueryCase> {};

TEST_P(ScanWindowQueryKeys, SendsTheOptionsAsTheyStand) {
    const QueryCase& c = GetParam();
    Select(window.CmbGenre, c.genre);
    Select(window.CmbNumber, c.stations);
    window.chk100->setChecked(c.fastScan);
    Select(window.cmbMinBit, c.minimum);
    Select(window.cmbMaxBit, c.maximum);
    window.chkOrderBitrate->setChecked(c.ordered);
    window.txtSearch->setText(c.search);

    QString minimumAtFirstQuery = QStringLiteral("(no query)");
    QObject::connect(window.txturl, &QLineEdit::textChanged, &window, [&] {
        if (minimumAtFirstQuery == "(no query)")
            minimumAtFirstQuery = window.cmbMinBit->currentText();
    });
    run();

    EXPECT_EQ(PageQueries(server()), c.queries);
    EXPECT_EQ(minimumAtFirstQuery, c.minimumAfter);
    EXPECT_EQ(window.scanState().m_MinBitrate, QString(c.minimumAfter).toInt());
    EXPECT_EQ(window.txturl->text(),
              server().baseUrl() + ScanWindow::kClassicPage + c.queries.last());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Options, ScanWindowQueryKeys,
    testing::Values(
        //        name                        genre     number fast   min    max    order  search
        QueryCase{"RockSecondPageOfFour",     "Rock",   "100", false, "96",  "",    false, "",
                  {"&sgenre=Rock", "startat=25&sgenre=Rock", "startat=50&sgenre=Rock",
                   "startat=75&sgenre=Rock"}, "96"},
        QueryCase{"RockFastOrderedUpTo128",   "Rock",   "200", true,  "96",  "128", true,  "",
                  {"numresult=100&sgenre=Rock&maxbitrate=128&orderby=bitrate",
                   "startat=100&numresult=100&sgenre=Rock&maxbitrate=128&orderby=bitrate"}, "96"},
        QueryCase{"Search",                   "Search", "5",   true,  "96",  "",    false, "50s and 60s",
                  {"numresult=5&s=50s+and+60s"}, "96"},
        QueryCase{"SearchWithEmptyBox",       "Search", "5",   true,  "96",  "",    false, "",
                  {"numresult=5"}, "96"},
        QueryCase{"SearchWithAmpersand",      "Search", "5",   true,  "96",  "",    false, "rock & roll",
                  {"numresult=5"}, "96"},
        QueryCase{"SearchOfBlanksOnly",       "Search", "5",   true,  "96",  "",    false, "   ",
                  {"numresult=5&s=+++"}, "96"},
        QueryCase{"SearchTextWithAGenre",     "Jazz",   "25",  true,  "96",  "",    false, "50s",
                  {"&sgenre=Jazz"}, "96"},
        QueryCase{"MinimumAboveMaximum",      "Rock",   "5",   true,  "128", "64",  false, "",
                  {"numresult=5&sgenre=Rock&maxbitrate=64"}, "64"},
        QueryCase{"MinimumWithoutMaximum",    "Rock",   "5",   true,  "128", "",    false, "",
                  {"numresult=5&sgenre=Rock"}, "128"},
        QueryCase{"EmptyMinimum",             "Rock",   "5",   true,  "",    "24",  false, "",
                  {"numresult=5&sgenre=Rock&maxbitrate=24"}, ""}),
    [](const testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });
// clang-format on

// ---- Genres of a run ----

struct GenreRange {
    const char* name;
    const char* search;
    bool withSearch;  // "Search" scanned last

    friend void PrintTo(const GenreRange& c, std::ostream* out) { *out << c.name; }
};

class ScanWindowGenreRange : public ScanWindowQueries,
                             public testing::WithParamInterface<GenreRange> {};

TEST_P(ScanWindowGenreRange, ScanAllGenresWalksTheListInOrder) {
    const GenreRange& c = GetParam();
    Select(window.CmbGenre, "Rock");  // the selection does not matter for a full scan
    window.chkAllGenre->setChecked(true);
    window.txtSearch->setText(c.search);
    QStringList genresSeen;
    QObject::connect(window.txturl, &QLineEdit::textChanged, &window,
                     [&] { genresSeen.append(window.scanState().m_Genre); });
    run();

    QStringList expectedQueries;
    QStringList genres;
    for (int i = 0; i < window.CmbGenre->count() - 1; ++i) {
        genres.append(window.CmbGenre->itemText(i));
        expectedQueries.append("numresult=5&sgenre=" + genres.last());
    }
    if (c.withSearch) {
        genres.append("Search");
        expectedQueries.append(QStringLiteral("numresult=5&s=") +
                               QString(c.search).replace(' ', '+'));
    }
    EXPECT_EQ(PageQueries(server()), expectedQueries);
    EXPECT_EQ(genresSeen, genres);
    EXPECT_EQ(window.scanState().m_GenreCount, static_cast<float>(genres.size()));
    // Every genre gets its folder under the download folder.
    QStringList folders = QDir(downloadDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QStringList expectedFolders = genres;
    folders.sort();
    expectedFolders.sort();
    EXPECT_EQ(folders, expectedFolders);
}

INSTANTIATE_TEST_SUITE_P(SearchBox, ScanWindowGenreRange,
                         testing::Values(GenreRange{"Empty", "", false},
                                         GenreRange{"BlanksOnly", "  ", false},
                                         GenreRange{"Text", "wave radio", true}),
                         [](const testing::TestParamInfo<GenreRange>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
