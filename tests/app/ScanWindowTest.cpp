// The main window on the local directory: its state before anything is clicked and after a window
// is gone, the page queries a Run sends (from the directory's request log), a page fetched with GO,
// a run stopped with the button that started it, a host that cannot be found, and the page's box.
#include "GFXFrameX.h"
#include "ProgressBar.h"
#include "SourceTextBox.h"
#include "StatusLineBox.h"
#include "WindowRun.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

#include <random>
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
              QStringList({"Run", "GO", "&Scan"}));
    EXPECT_EQ(std::tuple(w.vp1->Text(), w.vp1->Value()), std::tuple(QString("Ready"), 100));
    EXPECT_LE(w.Label3->fontMetrics().horizontalAdvance(w.Label3->text()), w.Label3->width());
    EXPECT_EQ(w.txtSource->toPlainText(), "");
    EXPECT_EQ(w.lstHeaders->count(), 0);
    EXPECT_EQ(std::tuple(w.scanState().StationCount, w.scanState().Stations.size(), w.scanState().m_Genre),
              std::tuple(0, qsizetype(1), QString("TopTen")));
}

// The controls for trying the fetch and the classic parser by hand.
std::vector<const QWidget*> HandControls(const frmMain& w) {
    return {w.txtProg, w.txtStat, w.txturl, w.cmdGO, w.lstHeaders, w.txtSource, w.cmdScan};
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
        Select(first.cmbMaxBit, "320");
        first.chkOrderBitrate->toggle();
        first.txtSearch->setText("jazz");
        Click(first.cmdRun);
        ASSERT_GT(first.scanState().StationCount, 0);
    }
    frmMain window;  // not the fixture's, which has its own download folder
    ExpectFreshStart(window);
    EXPECT_EQ(window.minimumSize(), QSize(505, 299));
    EXPECT_EQ(window.maximumSize(), QSize(505, 299));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The frame is painted at once, with its stored colours, on the window's own background.
    const GFXFrameX* frame = window.GFXFrameX1;
    ASSERT_EQ(frame->surface().image().size(), QSize(489, 181));
    EXPECT_EQ(frame->surface().GetPixel(488, 0), RGBColour(240, 240, 244));
    EXPECT_EQ(frame->surface().GetPixel(240, 90), frame->FillColour());
    window.show();
    for (QWidget* control : {static_cast<QWidget*>(window.cmdRun), static_cast<QWidget*>(window.CmbGenre)})
        EXPECT_EQ(frame->childAt(control->geometry().center()), control);
    // The controls for trying the fetch and the classic parser by hand lie beyond the client
    // area, which cannot be enlarged to show them.
    for (const QWidget* control : HandControls(window))
        EXPECT_FALSE(window.rect().intersects(control->geometry()));
}

// The keyboard reaches none of the controls for trying the fetch and the parser by hand: Tab
// walks past them, and Alt+S is the access key of "&Stop" alone, never of "&Scan".
TEST_F(ScanWindow, TheKeyboardReachesOnlyTheVisibleControls) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.txtDL->setFocus();
    QSet<const QWidget*> reached;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.insert(QApplication::focusWidget());
    }
    EXPECT_TRUE(reached.contains(window.cmdRun) && reached.contains(window.txtSearch));
    for (const QWidget* control : HandControls(window))
        EXPECT_FALSE(reached.contains(control)) << control->metaObject()->className();

    QSignalSpy scans(window.cmdScan, &QPushButton::clicked);
    window.setCmdRunCaption(QStringLiteral("&Stop"));  // as during a run
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.txtProg->text() == "Stopped !"; }, 2000));
    EXPECT_EQ(window.cmdRun->text(), "&Run");
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);  // no owner now
    QTest::qWait(300);
    EXPECT_EQ(std::tuple(scans.count(), window.cmdRun->text()), std::tuple(0, QString("&Run")));
}

// ---- The page queries (the result pages answer 404 here) and GO ----

// The options reach the queries as they stand at the click, and a minimum above the maximum is
// lowered in its list; then a search of every genre, "Search" last.
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

    server().clearLog();
    Select(window.CmbNumber, "5");
    Select(window.cmbMaxBit, "");
    window.chkOrderBitrate->setChecked(false);
    window.chkAllGenre->setChecked(true);
    window.txtSearch->setText("50s and 60s");
    run();
    const QStringList queries = pageQueries();
    ASSERT_EQ(queries.size(), window.CmbGenre->count());
    EXPECT_EQ(queries.first(), "numresult=5&sgenre=TopTen");
    EXPECT_EQ(queries.last(), "numresult=5&s=50s+and+60s");
}

// GO fetches one page: CR line ends become CR LF, and the header lines are listed, the empty
// line that ends the header last; a second fetch replaces them.
TEST_F(ScanWindow, GoFetchesThePageAndListsTheHeaderLines) {
    server().setLineEnds(LineEnds::Cr);
    const QString address = server().baseUrl() + kClassicPage + "numresult=5&sgenre=Rock";
    const Fetched direct(address);
    const QString raw = direct.responseText();
    ASSERT_TRUE(raw.contains("\r") && !raw.contains("\n"));
    window.txturl->setText(address);
    Click(window.cmdGO);
    EXPECT_EQ(window.scanState().m_PageText, QString(raw).replace("\r", "\r\n"));
    EXPECT_EQ(window.txtSource->toPlainText(), QString(raw).replace("\r", "\n"));
    EXPECT_EQ(window.txtSource->lineCount(), raw.count("\r") + 1);
    EXPECT_TRUE(window.txtStat->text().startsWith("Pure HTML doc dwnl time="));
    QStringList headerLines = direct.getAllResponseHeaders().split("\r\n");
    ASSERT_EQ(headerLines.takeLast(), "");
    for (int fetch = 0; fetch < 2; ++fetch, Click(window.cmdGO)) {
        QStringList items;
        for (int i = 0; i < window.lstHeaders->count(); ++i)
            items.append(window.lstHeaders->item(i)->text());
        EXPECT_EQ(items, headerLines);
        EXPECT_EQ(items.last(), "");
    }
}

// ---- How a run ends: two pages of Rock, each listing six stations of every type ----

const QString kFirst = "&sgenre=Rock", kSecond = "startat=25&sgenre=Rock";
QStringList Bar(const QString& ending) { return {"Preparing", "Getting Genre Rock", ending}; }
bool At(const frmMain& w, const QString& query) { return w.txturl->text().endsWith(kClassicPage + query); }

// At a moment of the run, clicks on Run (a Stop, then clicks that the stopped run takes as more
// Stops): the page queries sent, what the bar showed and how many entries were appended.
struct StopCase {
    const char* name; bool (*moment)(const frmMain&); int clicks; QStringList queries, barTexts; int appended;
};
class Stop : public WindowTest, public testing::WithParamInterface<StopCase> {};

TEST_P(Stop, EndsTheRunBeforeTheNextStationAndStartsNoOther) {
    const StopCase& c = GetParam();
    server().setMisbehaviour(QStringLiteral("/directory/"), {.entryCount = 6});
    Choose(window, {}, downloadDir());  // two pages of 25 Rock stations, of every type
    QStringList captions, barTexts;

    // The clicks are queued the first time the moment holds when the bar is given a value or
    // txturl an address, and so land where the run next lets events run: in the parser right
    // after a value, in the fetcher right after an address.
    bool clicked = false;
    const auto check = [&] {
        if (clicked || !window.runInProgress() || !c.moment(window)) return;
        clicked = true;
        QTimer::singleShot(0, &window, [&] {
            for (int i = 0; i < c.clicks; ++i, captions.append(window.cmdRun->text())) Click(window.cmdRun);
        });
    };
    QObject::connect(window.vp1, &ProgressBar::PropertyChanged, &window, [&](const QString& name) {
        if (name == QLatin1String("Text")) barTexts.append(window.vp1->Text());
        if (name == QLatin1String("Value")) check();
    });
    QObject::connect(window.txturl, &QLineEdit::textChanged, &window, check);
    run(c.barTexts.last());
    EXPECT_EQ(captions, QStringList(c.clicks, "&Run"));
    EXPECT_EQ(pageQueries(), c.queries);
    EXPECT_EQ(barTexts, c.barTexts);
    EXPECT_EQ(window.scanState().StationCount, c.appended);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Moments, Stop, testing::Values(
    StopCase{"DuringFirstFetch", [](const frmMain& w) { return At(w, kFirst); }, 1, {}, Bar("Stopped !"), 0},
    StopCase{"DuringFirstPage", [](const frmMain& w) { return w.vp1->Value() > 0; }, 1, {kFirst}, Bar("Stopped !"), 0},
    StopCase{"DuringLastFetch", [](const frmMain& w) { return At(w, kSecond); }, 1, {kFirst}, Bar("Stopped !"), 6},
    StopCase{"DuringLastPage", [](const frmMain& w) { return w.vp1->Value() > 50; }, 1, {kFirst, kSecond}, Bar("Stopped !"), 6},
    // Clicked again before the stopped run has ended: no new run starts.
    StopCase{"StopThenTwoMore", [](const frmMain& w) { return w.vp1->Value() > 0; }, 3, {kFirst}, Bar("Stopped !"), 0}), ByName);
// clang-format on

TEST_F(ScanWindow, AHostThatCannotBeFoundEndsTheRunWithNoConnectionLeavingTheDisplays) {
    qputenv("RADIOSIFT_CLASSIC_HOST", "radiosift-test.invalid");  // the fixture restores it
    window.txtStat->setText("timing before");
    window.txtSource->setPlainText("page before");
    run("No Connection!");
    EXPECT_EQ(window.txtStat->text(), "timing before");
    EXPECT_EQ(window.txtSource->toPlainText(), "page before");
    EXPECT_EQ(window.scanState().StationCount, 0);
    EXPECT_TRUE(server().requestLog().isEmpty());
}

// ---- The source box ----

// It stands in for a QPlainTextEdit: whatever the text, it must read back the same text and
// the same number of lines.
TEST(SourceTextBox, ReadsBackAsAPlainTextEditBoxAndScrollsOverItsLines) {
    const char16_t alphabet[] = {u'a', u'<', u' ', u'\r', u'\n', u'\u2028', u'\u2029', u'\u00A0', u'\uFDD0', u'\u00E9'};
    std::mt19937 engine(7);
    QPlainTextEdit reference;
    SourceTextBox box;
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = round == 0 ? 0 : std::uniform_int_distribution<int>(0, 12)(engine);
        for (int i = 0; i < length; ++i) text += QChar(alphabet[std::uniform_int_distribution<int>(0, 9)(engine)]);
        reference.setPlainText(text);
        box.setPlainText(text);
        ASSERT_EQ(box.toPlainText(), reference.toPlainText()) << text.toStdString();
        ASSERT_EQ(box.lineCount(), reference.document()->blockCount()) << text.toStdString();
    }
    // It scrolls over the lines that do not fit, and draws a page that is one very long line.
    box.resize(200, 100);
    QString text;
    for (int i = 0; i < 500; ++i) text += QStringLiteral("line %1\r\n").arg(i);
    box.setPlainText(text);
    EXPECT_GT(box.verticalScrollBar()->maximum(), 400);
    box.setPlainText(QString(70000, QLatin1Char('x')));  // a page with LF line ends
    EXPECT_EQ(box.verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(box.grab().toImage().isNull());
}

}  // namespace
