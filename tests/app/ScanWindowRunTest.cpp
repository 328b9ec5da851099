// Runs through the main window on the local directory: one page fetched with the GO button (line
// ends, header lines, timing line), pages read during runs by the parser of each layout, and how
// a run ends: stopped at each kind of point where it lets events run, a Run click held back until
// a stopped run has ended, and a host that cannot be found.
#include "HttpRequest.h"
#include "ScanWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

using namespace ScanWindow;

// The line ends a page is served with, and what the fetcher makes of them.
struct LineEndCase { const char* name; LineEnds ends; const char *served, *kept; bool oneLine; };

class ScanWindowFetch : public WindowTest, public testing::WithParamInterface<LineEndCase> {};

TEST_P(ScanWindowFetch, GoLeavesThePageWithCrLfLineEndsAndListsTheHeaderLines) {
    const LineEndCase& c = GetParam();
    server().setLineEnds(c.ends);
    const QString address = server().baseUrl() + kClassicPage + "numresult=5&sgenre=Rock";
    HttpRequest direct;
    direct.open("GET", address);
    direct.send();
    const QString raw = direct.responseText();
    ASSERT_TRUE(raw.contains(c.served));
    window.txturl->setText(address);
    Click(window.cmdGO);
    EXPECT_EQ(window.scanState().m_PageText, QString(raw).replace(c.served, c.kept));
    EXPECT_EQ(window.txtSource->lineCount(), c.oneLine ? 1 : raw.count(c.served) + 1);
    EXPECT_TRUE(window.txtStat->text().startsWith("Pure HTML doc dwnl time="));
    // One item per header line, the empty line that ends the header last; a second fetch
    // replaces them.
    QStringList headerLines = direct.getAllResponseHeaders().split("\r\n");
    ASSERT_EQ(headerLines.takeLast(), "");
    for (int fetch = 0; fetch < 2; ++fetch, Click(window.cmdGO)) {
        QStringList items;
        for (int i = 0; i < window.lstHeaders->count(); ++i) items.append(window.lstHeaders->item(i)->text());
        EXPECT_EQ(items, headerLines);
        EXPECT_EQ(items.last(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(ServedWith, ScanWindowFetch,
                         testing::Values(LineEndCase{"Lf", LineEnds::Lf, "\n", "", true},
                                         LineEndCase{"CrLf", LineEnds::CrLf, "\r\n", "\r\n", false},
                                         LineEndCase{"Cr", LineEnds::Cr, "\r", "\r\n", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Twelve Country stations on the page of either layout, more than the five asked for.
class ScanWindowParse : public WindowTest, public testing::WithParamInterface<bool> {};

TEST_P(ScanWindowParse, RunsAppendThePageEntriesBehindEachOtherAndSaveWhatPasses) {
    const bool current = GetParam();
    Misbehaviour longPage;
    longPage.entryCount = 12;
    server().setMisbehaviour(current ? "/index.jsp" : "/directory/index.phtml", longPage);
    window.chkNew->setChecked(current);
    Select(window.CmbGenre, "Country");
    // The MP3 stations are appended; those from 96 kbit/s on are saved, five at most, and the
    // sixth that passes ends the page.
    const auto country = catalogue().matching(DirectoryQuery::fromRawQuery("sgenre=Country"));
    QList<CatalogueStation> appended;
    QList<int> saved;
    int read = 0;
    for (; read < 12 && saved.size() < 6; ++read) {
        const CatalogueStation& s = country[read % country.size()];
        if (s.type != StreamType::Mp3) continue;
        appended.append(s);
        if (s.bitrate >= 96) saved.append(s.id);
    }
    ASSERT_EQ(saved.size(), 6);
    saved.removeLast();
    ASSERT_GT(read, appended.size());  // some are not MP3
    ASSERT_GT(appended.size(), 6);     // some are below the minimum

    for (int run = 1; run <= 2; ++run) {
        WindowTest::run();
        const ScanState& state = window.scanState();
        ASSERT_EQ(state.StationCount, run * appended.size());
        EXPECT_EQ(state.Stations.size(), (run - 1) * appended.size() + 12 + 1);
        for (int k = 0; k < appended.size(); ++k) {
            const CatalogueStation& s = appended[k];
            const StationEntry& e = state.Stations[(run - 1) * appended.size() + 1 + k];
            const QString playlist = current ? server().currentPlaylistLink(s.id) : s.homepage;
            EXPECT_EQ(QStringList({e.Name, e.Genre, e.Bitrate, e.StreamType, e.Rn, e.PlaylistLink,
                                   e.HomeLink, e.NowPlaying, e.FileName.isEmpty() ? "" : "saved"}),
                      QStringList({s.name, "Country", QString::number(s.bitrate), "MP3",
                                   QString::number(s.id), playlist, current ? s.homepage : "",
                                   current ? "" : s.nowPlaying, saved.contains(s.id) ? "saved" : ""}));
        }
        EXPECT_EQ(QDir(state.m_DownloadDir).entryList(QDir::Files).size(), 5);
    }
}

INSTANTIATE_TEST_SUITE_P(Layout, ScanWindowParse, testing::Bool(),
                         [](const auto& info) { return info.param ? "Current" : "Classic"; });

// ---- How a run ends ----

const QString kFirst = "&sgenre=Rock", kSecond = "startat=25&sgenre=Rock";
// What the bar shows of one run.
QStringList Bar(const QString& ending) { return {"Preparing", "Getting Genre Rock", ending}; }

// Two pages of Rock (50 stations in pages of 25), each listing six stations of every type.
class ScanWindowRunEnd : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Misbehaviour sixEntries;
        sixEntries.entryCount = 6;
        server().setMisbehaviour(QStringLiteral("/directory/"), sixEntries);
        Select(window.CmbGenre, "Rock");
        Select(window.CmbNumber, "50");
        window.chk100->setChecked(false);
        Select(window.cmbStream, "<all>");
    }
};

bool At(const frmMain& w, const QString& query) { return w.txturl->text().endsWith(kClassicPage + query); }

// At a moment of the run, clicks on Run (Stop, Run, Stop, ...): the page queries sent, what the
// bar showed and how many entries were appended.
struct StopCase {
    const char* name; bool (*moment)(const frmMain&); int clicks; QStringList queries, barTexts; int appended;
};

class ScanWindowStop : public ScanWindowRunEnd, public testing::WithParamInterface<StopCase> {};

TEST_P(ScanWindowStop, EndsAtTheNextCheckPointAfterFinishingThePageInHand) {
    const StopCase& c = GetParam();
    QStringList captions, barTexts;
    QObject::connect(window.vp1, &ProgressBar::PropertyChanged, &window, [&](const QString& name) {
        if (name == QLatin1String("Text")) barTexts.append(window.vp1->Text());
    });
    WhenDuringRun(window, [&] { return c.moment(window); }, [&] {
        for (int i = 0; i < c.clicks; ++i) {
            Click(window.cmdRun);
            captions.append(window.cmdRun->text());
        }
    });
    run(c.barTexts.last());
    EXPECT_EQ(captions, QStringList({"&Run", "&Stop", "&Run"}).mid(0, c.clicks));
    EXPECT_EQ(pageQueries(), c.queries);
    EXPECT_EQ(barTexts, c.barTexts);
    EXPECT_EQ(window.scanState().StationCount, c.appended);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Moments, ScanWindowStop, testing::Values(
    StopCase{"DuringFirstFetch", [](const frmMain& w) { return At(w, kFirst); }, 1, {kFirst}, Bar("Stopped !"), 0},
    StopCase{"DuringFirstPage", [](const frmMain& w) { return w.vp1->Value() > 0; }, 1, {kFirst}, Bar("Stopped !"), 6},
    StopCase{"DuringLastFetch", [](const frmMain& w) { return At(w, kSecond); }, 1, {kFirst, kSecond}, Bar("Stopped !"), 6},
    // The last page is read to its end and the run is done before it reaches a check point.
    StopCase{"DuringLastPage", [](const frmMain& w) { return w.vp1->Value() > 50; }, 1, {kFirst, kSecond}, Bar("Done"), 12},
    // Run again before the stopped run has ended: a new run starts once it has.
    StopCase{"StopThenRun", [](const frmMain& w) { return w.vp1->Value() > 0; }, 2, {kFirst, kFirst, kSecond},
             Bar("Stopped !") + Bar("Done"), 6 + 12},
    StopCase{"StopRunStop", [](const frmMain& w) { return w.vp1->Value() > 0; }, 3, {kFirst}, Bar("Stopped !"), 6}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ScanWindowRunEnd, AHostThatCannotBeFoundEndsTheRunWithNoConnectionLeavingTheDisplays) {
    qputenv("RADIOSIFT_CLASSIC_HOST", "radiosift-test.invalid");  // the fixture restores it
    window.txtStat->setText("timing before");
    window.txtSource->setPlainText("page before");
    run("No Connection!");
    EXPECT_EQ(window.txtStat->text(), "timing before");
    EXPECT_EQ(window.txtSource->toPlainText(), "page before");
    EXPECT_EQ(window.scanState().StationCount, 0);
    EXPECT_TRUE(server().requestLog().isEmpty());
}

}  // namespace
