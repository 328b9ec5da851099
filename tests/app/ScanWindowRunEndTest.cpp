// How a run ends: completed, stopped by a click at each kind of point where it lets events
// run, cut short by a host that cannot be found, and a new Run click that comes before a
// stopped run has ended.
#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "ScanWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

using MainWindowDriver::Click;
using MainWindowDriver::Select;
using ScanWindow::PageQueries;

const QStringList kBothPages = {"&sgenre=Rock", "startat=25&sgenre=Rock"};

// Two pages of Rock (50 stations in pages of 25); every page lists the same six stations of
// every type, so that each page appends six entries.
class ScanWindowRunEnd : public DirectoryFixture {
protected:
    void SetUp() override {
        DirectoryFixture::SetUp();
        Misbehaviour sixEntries;
        sixEntries.entryCount = 6;
        server().setMisbehaviour(QStringLiteral("/directory/"), sixEntries);
        window.txtDL->setText(downloadDir());
        Select(window.CmbGenre, "Rock");
        Select(window.CmbNumber, "50");
        window.chk100->setChecked(false);
        Select(window.cmbStream, "<all>");

        const auto rock = catalogue().matching(DirectoryQuery::fromRawQuery("sgenre=Rock"));
        ASSERT_GE(rock.size(), 6);
        for (int i = 0; i < 6; ++i) savedPerPage += rock[i].bitrate >= 96 ? 1 : 0;
        ASSERT_GT(savedPerPage, 0);
    }

    int savedEntries() const {
        int saved = 0;
        const ScanState& state = window.scanState();
        for (int i = 1; i <= state.StationCount; ++i) {
            saved += state.Stations[i].FileName.isEmpty() ? 0 : 1;
        }
        return saved;
    }

    bool addressEndsWith(const QString& query) const {
        return window.txturl->text().endsWith(ScanWindow::kClassicPage + query);
    }

    frmMain window;
    int savedPerPage = 0;
};

enum class StopAt { Never, FirstFetch, FirstFetchWait, FirstPage, LastFetch, LastPage };

struct StopCase {
    const char* name;
    StopAt at;
    const char* ending;  // on the bar and in txtProg
    int pagesFetched;
    int pagesParsed;

    friend void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }
};

class ScanWindowStop : public ScanWindowRunEnd, public testing::WithParamInterface<StopCase> {};

TEST_P(ScanWindowStop, EndsAtTheNextCheckPointAfterFinishingThePageInHand) {
    const StopCase& c = GetParam();
    std::function<bool()> moment;
    bool clickWhileFetching = false;
    switch (c.at) {
        case StopAt::Never:
            break;
        case StopAt::FirstFetch:
            moment = [this] { return addressEndsWith(kBothPages[0]); };
            break;
        case StopAt::FirstFetchWait: {
            // The click comes while the first page is on its way: it is seen when events run
            // next, which is in the parser, so that page is still read to its end. The page
            // takes far longer than the timer, which starts where the fetcher lets events run
            // for the last time before it sends its request.
            Misbehaviour slowPage;
            slowPage.entryCount = 6;
            slowPage.delayMs = 300;
            server().setMisbehaviour(QStringLiteral("/directory/"), slowPage);
            moment = [this] { return addressEndsWith(kBothPages[0]); };
            clickWhileFetching = true;
            break;
        }
        case StopAt::FirstPage:
            moment = [this] { return window.vp1->Value() > 0; };
            break;
        case StopAt::LastFetch:
            moment = [this] { return addressEndsWith(kBothPages[1]); };
            break;
        case StopAt::LastPage:
            moment = [this] { return window.vp1->Value() > 50; };
            break;
    }
    QString captionAfterStop;
    const std::function<void()> stop = [&] {
        Click(window.cmdRun);
        captionAfterStop = window.cmdRun->text();
    };
    if (clickWhileFetching) {
        ScanWindow::WhenDuringRun(window, moment, [&] { QTimer::singleShot(50, &window, stop); });
    } else if (moment) {
        ScanWindow::WhenDuringRun(window, moment, stop);
    }
    MainWindowDriver::Run(window);

    if (moment) {
        EXPECT_EQ(captionAfterStop, "&Run");
    }
    EXPECT_EQ(PageQueries(server()), kBothPages.mid(0, c.pagesFetched));
    EXPECT_EQ(window.scanState().StationCount, 6 * c.pagesParsed);
    EXPECT_EQ(savedEntries(), savedPerPage * c.pagesParsed);
    EXPECT_EQ(window.vp1->Text(), c.ending);
    EXPECT_EQ(window.txtProg->text(), c.ending);
    EXPECT_EQ(window.vp1->Value(), 100);
    EXPECT_EQ(window.cmdRun->text(), "&Run");
    EXPECT_EQ(window.scanState().m_Running, c.at == StopAt::Never);
    EXPECT_FALSE(window.runInProgress());
}

INSTANTIATE_TEST_SUITE_P(
    Moments, ScanWindowStop,
    testing::Values(StopCase{"NotStopped", StopAt::Never, "Done", 2, 2},
                    StopCase{"DuringFirstFetch", StopAt::FirstFetch, "Stopped !", 1, 0},
                    StopCase{"WhileWaitingForFirstPage", StopAt::FirstFetchWait, "Stopped !", 1, 1},
                    StopCase{"DuringFirstPage", StopAt::FirstPage, "Stopped !", 1, 1},
                    StopCase{"DuringLastFetch", StopAt::LastFetch, "Stopped !", 2, 1},
                    StopCase{"DuringLastPage", StopAt::LastPage, "Done", 2, 2}),
    [](const testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

TEST_F(ScanWindowRunEnd, AHostThatCannotBeFoundEndsTheRunWithNoConnection) {
    qputenv("RADIOSIFT_CLASSIC_HOST", "radiosift-test.invalid");  // the fixture restores it
    window.txtStat->setText("timing before");
    window.txtSource->setPlainText("page before");
    MainWindowDriver::Run(window);

    EXPECT_EQ(window.vp1->Text(), "No Connection!");
    EXPECT_EQ(window.vp1->Value(), 100);
    EXPECT_EQ(window.txtProg->text(), "No Connection!");
    EXPECT_EQ(window.cmdRun->text(), "&Run");
    EXPECT_FALSE(window.scanState().m_Running);
    EXPECT_EQ(window.txtStat->text(), "timing before");
    EXPECT_EQ(window.txtSource->toPlainText(), "page before");
    EXPECT_EQ(window.scanState().StationCount, 0);
    EXPECT_TRUE(server().requestLog().isEmpty());
}

TEST_F(ScanWindowRunEnd, ARefusedConnectionIsAnEmptyPageAndTheRunGoesOn) {
    QString closedPort;
    {
        DirectoryServer gone;
        ASSERT_TRUE(gone.start());
        closedPort = gone.hostPort();
    }
    qputenv("RADIOSIFT_CLASSIC_HOST", closedPort.toLatin1());  // the fixture restores it
    window.txtStat->setText("timing before");
    window.txtSource->setPlainText("page before");
    MainWindowDriver::Run(window);

    EXPECT_EQ(window.vp1->Text(), "Done");
    EXPECT_EQ(window.vp1->Value(), 100);
    EXPECT_EQ(window.cmdRun->text(), "&Run");
    EXPECT_TRUE(window.scanState().m_Running);
    EXPECT_TRUE(window.txtStat->text().startsWith("Pure HTML doc dwnl time="));
    EXPECT_EQ(window.txtSource->toPlainText(), "");
    EXPECT_EQ(window.lstHeaders->count(), 0);
    EXPECT_EQ(window.scanState().StationCount, 0);
}

// A Run click that comes while a stopped run still reads its page is held back and starts a
// new run once the stopped one has ended; a further Stop click before then drops it.
struct HeldBackCase {
    const char* name;
    int clicksDuringPage;  // Stop, Run, Stop, ...
    QStringList queries;
    QStringList barTexts;
    int stationCount;

    friend void PrintTo(const HeldBackCase& c, std::ostream* out) { *out << c.name; }
};

class ScanWindowHeldBack : public ScanWindowRunEnd,
                           public testing::WithParamInterface<HeldBackCase> {};

TEST_P(ScanWindowHeldBack, RunClickedBeforeTheStoppedRunEnded) {
    const HeldBackCase& c = GetParam();
    ScanWindow::BarLog bar(window.vp1);
    QStringList captions;
    ScanWindow::WhenDuringRun(
        window, [this] { return window.vp1->Value() > 0; },
        [&] {
            for (int i = 0; i < c.clicksDuringPage; ++i) {
                Click(window.cmdRun);
                captions.append(window.cmdRun->text());
            }
        });
    MainWindowDriver::Run(window);

    const QStringList alternating = {"&Run", "&Stop", "&Run"};
    EXPECT_EQ(captions, alternating.mid(0, c.clicksDuringPage));
    EXPECT_EQ(PageQueries(server()), c.queries);
    EXPECT_EQ(bar.texts, c.barTexts);
    EXPECT_EQ(window.vp1->Value(), 100);
    EXPECT_EQ(window.cmdRun->text(), "&Run");
    EXPECT_EQ(window.scanState().StationCount, c.stationCount);
    EXPECT_FALSE(window.runInProgress());
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ScanWindowHeldBack,
    testing::Values(HeldBackCase{"StopThenRun",
                                 2,
                                 {"&sgenre=Rock", "&sgenre=Rock", "startat=25&sgenre=Rock"},
                                 {"Preparing", "Getting Genre Rock", "Stopped !", "Preparing",
                                  "Getting Genre Rock", "Done"},
                                 6 + 12},
                    HeldBackCase{"StopRunStop",
                                 3,
                                 {"&sgenre=Rock"},
                                 {"Preparing", "Getting Genre Rock", "Stopped !"},
                                 6}),
    [](const testing::TestParamInfo<HeldBackCase>& info) { return std::string(info.param.name); });

}  // namespace
