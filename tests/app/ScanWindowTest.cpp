// The main window on the local directory: its state before anything is clicked and after a window
// is gone, the access key of Stop, a Run refused for a typed option no run could use, the page
// queries a Run sends (from the directory's request log), and a run stopped with the button that
// started it.
#include "ProgressBar.h"
#include "RunInputs.h"
#include "SourceTextBox.h"
#include "StatusLineBox.h"
#include "UserAgent.h"
#include "WindowRun.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include <tuple>

namespace {
using ::PrintTo;

const QString kClassicPage = QStringLiteral("/directory/index.phtml?");

void ExpectFreshStart(const frmMain& w) {
    // clang-format off
    const QStringList bitrates = {"", "24", "32", "48", "56", "64", "96", "128", "160", "192", "256", "320"};
    const std::tuple<const QComboBox*, QStringList, QString> lists[] = {
        {w.cmbMinBit, bitrates, "96"}, {w.cmbMaxBit, bitrates, ""},
        {w.CmbGenre, {"TopTen", "Alternative", "Classical", "Comedy", "Country", "Dance", "Funk", "Jazz", "Metal",
                      "Mixed", "Pop", "Rap", "RnB", "Rock", "Talk", "Techno", "70s", "80s", "World", "Search"}, "TopTen"},
        {w.CmbNumber, {"5", "10", "25", "50", "100", "200", "300", "400", "500", "750", "1000", "1500", "2000",
                       "2500", "3000", "4000", "5000"}, "5"},
        {w.cmbFormat, {"PLS file", "ASX file", "M3U file"}, "PLS file"}, {w.cmbStream, {"MP3", "AAC", "<all>"}, "MP3"}};
    const std::pair<const QLineEdit*, QString> edits[] = {
        {w.txtDL, QDir::toNativeSeparators("%TEMP%/.1")}, {w.txtFormat, "%STATION%_%BITRATE%"},
        {w.txtPlsSize, "40"}, {w.txtSearch, ""}, {w.txturl, "http://"}, {w.txtProg, ""}};
    const std::pair<const QAbstractButton*, bool> boxes[] = {
        {w.chk100, true}, {w.chkOrderBitrate, false}, {w.chkAllGenre, false}, {w.chkNew, false}};
    // clang-format on
    for (const auto& [list, items, current] : lists) {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) shown.append(list->itemText(i));
        EXPECT_EQ(shown, items);
        EXPECT_EQ(list->currentText(), current);
        EXPECT_FALSE(list->isEditable());
    }
    for (const auto& [edit, text] : edits) EXPECT_EQ(edit->text(), text);
    EXPECT_EQ(w.txtStat->text(), "");
    for (const auto& [box, checked] : boxes) EXPECT_EQ(box->isChecked(), checked);
    EXPECT_TRUE(w.chkNew->isHidden());
    EXPECT_EQ(QStringList({w.cmdRun->text(), w.cmdGO->text(), w.cmdScan->text()}),
              QStringList({"&Run", "GO", "&Scan"}));
    EXPECT_EQ(std::tuple(w.vp1->Text(), w.vp1->Value()), std::tuple(QString("Ready"), 100));
    EXPECT_EQ(w.txtSource->toPlainText(), "");
    EXPECT_EQ(w.lstHeaders->count(), 0);
    EXPECT_EQ(std::tuple(w.scanState().StationCount, w.scanState().Stations.size(),
                         w.scanState().m_Genre),
              std::tuple(0, qsizetype(1), QString("TopTen")));
}

using ScanWindow = WindowTest;

// Nothing chosen or run in a window that is gone is kept for the next.
TEST_F(ScanWindow, StartsWithTheStartingOptionsInAFixedFrameRestoredFromTheStoredProperties) {
    {
        frmMain first;
        // clang-format off
        Choose(first, {.genre = "Jazz", .stations = "10", .stream = "MP3", .minBitrate = "128",
                       .format = "M3U file", .nameTemplate = "%RN%", .limitText = "12"}, downloadDir());
        // clang-format on
        first.chkOrderBitrate->toggle();
        Click(first.cmdRun);
        ASSERT_GT(first.scanState().StationCount, 0);
    }
    frmMain window;  // not the fixture's, which has its own download folder
    ExpectFreshStart(window);
    EXPECT_EQ(HttpRequest::userAgent(), ProgramUserAgent());  // what every request goes out under
    EXPECT_EQ(window.minimumSize(), QSize(505, 299));
    EXPECT_EQ(window.maximumSize(), QSize(505, 299));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

// Alt+S is the access key of "&Stop" alone, never of the hidden "&Scan". (That Tab reaches only
// the visible controls, the desktop test's walk shows.)
TEST_F(ScanWindow, AltSStopsTheRunAndNeverScans) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy scans(window.cmdScan, &QPushButton::clicked);
    window.setCmdRunCaption(QStringLiteral("&Stop"));  // as during a run
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.txtProg->text() == "Stopped !"; }, 2000));
    EXPECT_EQ(window.cmdRun->text(), "&Run");
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);  // no owner now
    QTest::qWait(300);
    EXPECT_EQ(std::tuple(scans.count(), window.cmdRun->text()), std::tuple(0, QString("&Run")));
}

// Run with an empty download path (once the root folder), a file name of dots or a length of 0:
// the check's one message, the focus on the field, nothing asked or written (in / as root in CI).
TEST_F(ScanWindow, AnUnusableInputIsNamedAndNothingIsAskedOrWritten) {
    window.show();
    const QStringList rootBefore = QDir::root().entryList(QDir::AllEntries | QDir::Hidden);
    const std::pair<QLineEdit*, QString> cases[] = {
        {window.txtDL, ""}, {window.txtFormat, ".."}, {window.txtPlsSize, "0"}};
    for (const auto& [field, text] : cases) {
        const QString kept = field->text();
        field->setText(text);
        window.cmdRun->setFocus();
        QStringList shown;
        QTimer::singleShot(0, &window, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown.append(box->text());
                box->accept();
            }
        });
        Click(window.cmdRun);
        EXPECT_EQ(shown, QStringList{CheckRunInputs(window.txtDL->text(), window.txtFormat->text(),
                                                    window.txtPlsSize->text())
                                         .message});
        EXPECT_EQ(window.focusWidget(), field) << text.toStdString();
        field->setText(kept);
    }
    EXPECT_EQ(std::tuple(server().requestLog(), files().size(), window.cmdRun->text()),
              std::tuple(QStringList(), qsizetype(0), QString("&Run")));
    EXPECT_EQ(QDir::root().entryList(QDir::AllEntries | QDir::Hidden), rootBefore);
}

// ---- The page queries (the result pages answer 404 here) ----

// The options reach the queries as they stand at the click, and a minimum above the maximum is
// lowered in its list. Which genres a run walks is the driver's, checked on its own.
TEST_F(ScanWindow, QueriesCarryTheOptionsAsTheyStand) {
    server().setMisbehaviour(QStringLiteral("/directory/"), {.status = 404});
    Select(window.CmbGenre, "Rock");
    Select(window.CmbNumber, "200");
    Select(window.cmbMinBit, "128");
    Select(window.cmbMaxBit, "64");
    window.chkOrderBitrate->setChecked(true);
    run();
    const QString rock = "numresult=100&sgenre=Rock&maxbitrate=64&orderby=bitrate";
    EXPECT_EQ(pageQueries(), QStringList({rock, "startat=100&" + rock}));
    EXPECT_EQ(window.cmbMinBit->currentText(), "64");
    EXPECT_EQ(window.txturl->text(), server().baseUrl() + kClassicPage + "startat=100&" + rock);
}

// ---- Stop: two pages of Rock, each listing six stations of every type ----

// Stop clicked during the second page, then twice more before the stopped run has ended: the
// run ends before the next station, the later clicks start no other run, and the bar tells so.
// A Stop during each wait for the network is checked on a real X server.
TEST_F(ScanWindow, StopEndsTheRunBeforeTheNextStationAndMoreClicksStartNoOther) {
    server().setMisbehaviour(QStringLiteral("/directory/"), {.entryCount = 6});
    Choose(window, {}, downloadDir());  // two pages of 25 Rock stations, of every type
    QStringList captions, barTexts;
    // The clicks are queued when the bar first passes half way, and so land in the parser right
    // after that value.
    bool clicked = false;
    QObject::connect(window.vp1, &ProgressBar::PropertyChanged, &window, [&](const QString& name) {
        if (name == QLatin1String("Text")) barTexts.append(window.vp1->Text());
        if (name != QLatin1String("Value") || clicked || window.vp1->Value() <= 50) return;
        clicked = true;
        QTimer::singleShot(0, &window, [&] {
            for (int i = 0; i < 3; ++i, captions.append(window.cmdRun->text()))
                Click(window.cmdRun);
        });
    });
    run("Stopped !");
    EXPECT_EQ(captions, QStringList(3, "&Run"));
    EXPECT_EQ(pageQueries(), QStringList({"&sgenre=Rock", "startat=25&sgenre=Rock"}));
    EXPECT_EQ(barTexts, QStringList({"Preparing", "Getting Genre Rock", "Stopped !"}));
    EXPECT_EQ(window.scanState().StationCount, 6);
}

}  // namespace
