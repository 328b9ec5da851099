// One directory page through the main window: fetched with the GO button (text, line ends,
// header lines, timing line), and read by the parser of each layout during a run or with the
// Scan button (entries appended, entries saved, the progress bar).
#include "DirectoryFixture.h"
#include "HttpRequest.h"
#include "MainWindowDriver.h"
#include "ScanWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRegularExpression>

namespace {

using MainWindowDriver::Click;
using MainWindowDriver::Select;

QStringList ListItems(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items.append(list->item(i)->text());
    return items;
}

// ---- The fetcher ----

struct LineEndCase {
    const char* name;
    LineEnds ends;

    friend void PrintTo(const LineEndCase& c, std::ostream* out) { *out << c.name; }
};

class ScanWindowFetch : public DirectoryFixture, public testing::WithParamInterface<LineEndCase> {
protected:
    QString pageAddress() {
        return server().baseUrl() + ScanWindow::kClassicPage + "numresult=5&sgenre=Rock";
    }
};

TEST_P(ScanWindowFetch, GoLeavesThePageWithItsLineEndsMadeCrLf) {
    server().setLineEnds(GetParam().ends);
    HttpRequest direct;
    direct.open("GET", pageAddress());
    direct.send();
    ASSERT_EQ(direct.status(), 200);
    const QString raw = direct.responseText();
    const QString rawHeaders = direct.getAllResponseHeaders();

    frmMain window;
    window.txturl->setText(pageAddress());
    Click(window.cmdGO);
    const QString page = window.scanState().m_PageText;

    switch (GetParam().ends) {
        case LineEnds::Lf:
            ASSERT_TRUE(raw.contains('\n') && !raw.contains('\r'));
            EXPECT_EQ(page, QString(raw).remove('\n'));  // one single line
            EXPECT_EQ(window.txtSource->document()->blockCount(), 1);
            break;
        case LineEnds::CrLf:
            ASSERT_TRUE(raw.contains("\r\n"));
            EXPECT_EQ(page, raw);
            EXPECT_EQ(window.txtSource->document()->blockCount(), raw.count("\r\n") + 1);
            break;
        case LineEnds::Cr:
            ASSERT_TRUE(raw.contains('\r') && !raw.contains('\n'));
            EXPECT_EQ(page, QString(raw).replace("\r", "\r\n"));
            EXPECT_EQ(window.txtSource->document()->blockCount(), raw.count('\r') + 1);
            break;
    }
    EXPECT_EQ(window.txtSource->toPlainText(), QString(page).replace("\r\n", "\n"));

    // One item per header line, the blank line that ends the header last.
    QStringList headerLines = rawHeaders.split("\r\n");
    ASSERT_EQ(headerLines.takeLast(), "");
    EXPECT_EQ(ListItems(window.lstHeaders), headerLines);
    EXPECT_EQ(ListItems(window.lstHeaders).last(), "");
    EXPECT_TRUE(ListItems(window.lstHeaders).contains("Content-Type: text/html; charset=utf-8"));

    const QRegularExpression timing(QStringLiteral("^Pure HTML doc dwnl time=-?\\d+%1\\d{3} secs$")
                                        .arg(QRegularExpression::escape(QLocale().decimalPoint())));
    EXPECT_TRUE(timing.match(window.txtStat->text()).hasMatch())
        << window.txtStat->text().toStdString();

    // A second fetch replaces the header lines instead of adding to them.
    Click(window.cmdGO);
    EXPECT_EQ(ListItems(window.lstHeaders), headerLines);
}

INSTANTIATE_TEST_SUITE_P(ServedWith, ScanWindowFetch,
                         testing::Values(LineEndCase{"Lf", LineEnds::Lf},
                                         LineEndCase{"CrLf", LineEnds::CrLf},
                                         LineEndCase{"Cr", LineEnds::Cr}),
                         [](const testing::TestParamInfo<LineEndCase>& info) {
                             return std::string(info.param.name);
                         });

class ScanWindowFetchOnly : public DirectoryFixture {};

TEST_F(ScanWindowFetchOnly, AnEmptyAddressEmptiesThePageAndTheHeadersOnly) {
    frmMain window;
    window.txturl->setText(server().baseUrl() + ScanWindow::kClassicPage + "sgenre=Jazz");
    Click(window.cmdGO);
    ASSERT_GT(window.lstHeaders->count(), 0);
    ASSERT_FALSE(window.scanState().m_PageText.isEmpty());
    window.txtStat->setText("timing before");
    window.txtSource->setPlainText("page before");
    server().clearLog();

    window.txturl->setText("");
    Click(window.cmdGO);
    EXPECT_EQ(window.scanState().m_PageText, "");
    EXPECT_EQ(window.lstHeaders->count(), 0);
    EXPECT_EQ(window.txtStat->text(), "timing before");
    EXPECT_EQ(window.txtSource->toPlainText(), "page before");
    EXPECT_TRUE(server().requestLog().isEmpty());
}

TEST_F(ScanWindowFetchOnly, ScanBeforeAnyRunReadsNothing) {
    // No run yet: no genres and no pages to share the progress among, so the page ends
    // before its first entry.
    frmMain window;
    window.txtDL->setText(downloadDir());
    window.txturl->setText(server().baseUrl() + ScanWindow::kClassicPage + "sgenre=Rock");
    Click(window.cmdGO);
    ASSERT_TRUE(window.scanState().m_PageText.contains("listlinks"));
    Click(window.cmdScan);
    EXPECT_EQ(window.scanState().StationCount, 0);
    EXPECT_EQ(window.vp1->Value(), 100);
    EXPECT_EQ(ScanWindow::PageQueries(server()).size(), 1);
    EXPECT_EQ(server().requestLog().size(), 1);  // no playlist fetched
}

// ---- The parsers ----

struct Layout {
    const char* name;
    bool current;  // "New server"
    QString page;  // page path and "?"

    QString misbehaviourPrefix() const { return page.chopped(1); }

    friend void PrintTo(const Layout& layout, std::ostream* out) { *out << layout.name; }
};

const Layout kClassic{"Classic", false, ScanWindow::kClassicPage};
const Layout kCurrent{"Current", true, ScanWindow::kCurrentPage};

std::string LayoutName(const testing::TestParamInfo<Layout>& info) {
    return info.param.name;
}

// What a page should give: the stations appended in order and the ids of those saved.
struct Reading {
    QList<CatalogueStation> appended;
    QList<int> savedIds;
    bool stoppedEarly = false;  // at the most-stations stop
    int filteredOut = 0;        // by stream type, before the page ended
};

Reading ReadingOf(const QList<CatalogueStation>& listed, const QString& stream, int minimum,
                  int maxStations) {
    Reading reading;
    int passed = 0;
    for (const CatalogueStation& station : listed) {
        if (stream != "<all>" && streamTypeName(station.type) != stream) {
            ++reading.filteredOut;
            continue;
        }
        reading.appended.append(station);
        if (station.bitrate < minimum) continue;
        if (++passed > maxStations) {
            reading.stoppedEarly = true;
            break;
        }
        reading.savedIds.append(station.id);
    }
    return reading;
}

class ScanWindowParse : public DirectoryFixture, public testing::WithParamInterface<Layout> {
protected:
    static constexpr int kListed = 12;

    void SetUp() override {
        DirectoryFixture::SetUp();
        Misbehaviour longPage;
        longPage.entryCount = kListed;  // more than the five asked for
        server().setMisbehaviour(GetParam().misbehaviourPrefix(), longPage);
        window.txtDL->setText(downloadDir());
        window.chkNew->setChecked(GetParam().current);
        Select(window.CmbGenre, "Country");
        Select(window.CmbNumber, "5");

        const QList<CatalogueStation> rock =
            catalogue().matching(DirectoryQuery::fromRawQuery("numresult=5&sgenre=Country"));
        ASSERT_FALSE(rock.isEmpty());
        for (int i = 0; i < kListed; ++i) listed.append(rock[i % rock.size()]);
    }

    QString playlistRequest(int id) const {
        return GetParam().current
                   ? QStringLiteral("/playlist.pls?id=%1").arg(id)
                   : QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&file=filename.pls").arg(id);
    }

    QStringList playlistRequests() {
        QStringList requests;
        for (const QString& target : server().requestLog()) {
            if (!target.startsWith(GetParam().page)) requests.append(target);
        }
        return requests;
    }

    // Entries first+1 .. first+expected.size() of the list hold these stations, saved as told.
    void expectEntries(int first, const Reading& expected) {
        const ScanState& state = window.scanState();
        const bool current = GetParam().current;
        for (int k = 0; k < expected.appended.size(); ++k) {
            const CatalogueStation& s = expected.appended[k];
            const StationEntry& e = state.Stations[first + 1 + k];
            SCOPED_TRACE(
                QStringLiteral("entry %1, station %2").arg(first + 1 + k).arg(s.id).toStdString());
            EXPECT_EQ(e.Name, s.name);
            EXPECT_EQ(e.Genre, "Country");
            EXPECT_EQ(e.Bitrate, QString::number(s.bitrate));
            EXPECT_EQ(e.StreamType, streamTypeName(s.type));
            EXPECT_EQ(e.Rn, QString::number(s.id));
            EXPECT_EQ(e.PlaylistLink, current ? server().currentPlaylistLink(s.id) : s.homepage);
            EXPECT_EQ(e.HomeLink, current ? s.homepage : QString());
            EXPECT_EQ(e.NowPlaying, current ? QString() : s.nowPlaying);
            const bool saved = expected.savedIds.contains(s.id);
            EXPECT_EQ(!e.FileName.isEmpty(), saved);
            if (saved) {
                EXPECT_TRUE(QFileInfo::exists(state.m_DownloadDir + e.FileName))
                    << e.FileName.toStdString();
            }
        }
    }

    frmMain window;
    QList<CatalogueStation> listed;
};

TEST_P(ScanWindowParse, RunsAppendFilterAndSaveThePageEntries) {
    const Reading expected = ReadingOf(listed, "MP3", 96, 5);
    // The page must reach every rule: a type filtered out, a bitrate below the minimum, and
    // more stations that pass than may be saved.
    ASSERT_TRUE(expected.stoppedEarly);
    ASSERT_GT(expected.filteredOut, 0);
    ASSERT_GT(expected.appended.size(), expected.savedIds.size() + 1);

    QStringList expectedRequests;
    for (const int id : expected.savedIds) expectedRequests.append(playlistRequest(id));

    MainWindowDriver::Run(window);
    const ScanState& state = window.scanState();
    const int count = expected.appended.size();
    ASSERT_EQ(state.StationCount, count);
    EXPECT_EQ(state.Stations.size(), kListed + 1);  // grown for every entry on the page
    expectEntries(0, expected);
    EXPECT_EQ(playlistRequests(), expectedRequests);
    EXPECT_EQ(QDir(state.m_DownloadDir).entryList(QDir::Files).size(), expected.savedIds.size());

    // A second run appends behind the first.
    MainWindowDriver::Run(window);
    ASSERT_EQ(state.StationCount, 2 * count);
    EXPECT_EQ(state.Stations.size(), count + kListed + 1);
    expectEntries(count, expected);
    EXPECT_EQ(playlistRequests(), expectedRequests + expectedRequests);
}

TEST_P(ScanWindowParse, ScanReadsThePageInHandWithTheClassicParserAndAtMost25) {
    MainWindowDriver::Run(window);
    const ScanState& state = window.scanState();
    const int before = state.StationCount;
    ASSERT_GT(before, 0);
    server().clearLog();

    Click(window.cmdScan);
    if (GetParam().current) {
        // A page of the current layout holds no entry the classic parser knows.
        EXPECT_EQ(state.StationCount, before);
        EXPECT_TRUE(server().requestLog().isEmpty());
        return;
    }
    const Reading expected = ReadingOf(listed, "MP3", 96, 25);
    ASSERT_FALSE(expected.stoppedEarly);
    ASSERT_GT(expected.savedIds.size(), 5);  // more than the run itself could save
    ASSERT_EQ(state.StationCount, before + expected.appended.size());
    expectEntries(before, expected);
    QStringList expectedRequests;
    for (const int id : expected.savedIds) expectedRequests.append(playlistRequest(id));
    EXPECT_EQ(playlistRequests(), expectedRequests);
}

// Pages of 25 Country stations: 25, 25, 10 and none (60 in the genre). No entry names a type, so
// nothing is appended and the bar alone shows the pages being read.
TEST_P(ScanWindowParse, TheBarMovesThroughEveryPageEntryByEntry) {
    Misbehaviour untyped;
    untyped.malformation = Malformation::NoTypeMarker;
    server().setMisbehaviour(GetParam().misbehaviourPrefix(), untyped);
    Select(window.CmbNumber, "100");
    window.chk100->setChecked(false);
    const QStringList queries = {"&sgenre=Country", "startat=25&sgenre=Country",
                                 "startat=50&sgenre=Country", "startat=75&sgenre=Country"};
    QList<int> sizes;
    for (const QString& query : queries)
        sizes.append(catalogue().page(DirectoryQuery::fromRawQuery(query.toLatin1())).size());
    ASSERT_EQ(sizes, QList<int>({25, 25, 10, 0}));

    ScanWindow::BarLog bar(window.vp1);
    MainWindowDriver::Run(window);

    QList<int> expected = {0};
    for (int v = 1; v <= 50; ++v) expected.append(v);  // 1 per entry on the first two pages
    // 2.5 per entry on the third, halves rounded to the even neighbour; the empty fourth page
    // does not move the bar.
    expected += QList<int>({52, 55, 58, 60, 62, 65, 68, 70, 72, 75});
    expected.append(100);
    EXPECT_EQ(bar.values, expected);
    EXPECT_EQ(bar.texts, QStringList({"Preparing", "Getting Genre Country", "Done"}));
    EXPECT_EQ(ScanWindow::PageQueries(server(), GetParam().page), queries);
    EXPECT_EQ(window.scanState().StationCount, 0);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, ScanWindowParse, testing::Values(kClassic, kCurrent),
                         LayoutName);

}  // namespace
