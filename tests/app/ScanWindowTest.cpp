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
    const GFXFrameX* frame = window.GFXFrameX1;
    EXPECT_EQ(std::tuple(frame->FrameStyle(), frame->FillColour(), frame->BackColour(), frame->BorderColour()),
              std::tuple(0, RGBColour(240, 240, 246), RGBColour(236, 237, 240), RGBColour(192, 192, 192)));
    // Painted at once, at 489 x 181 pixels, on the window's own background.
    ASSERT_EQ(std::pair(frame->surface().width(), frame->surface().height()), std::pair(489, 181));
    EXPECT_EQ(frame->surface().GetPixel(488, 0), RGBColour(240, 240, 244));
    EXPECT_EQ(frame->surface().GetPixel(240, 90), RGBColour(240, 240, 246));
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

// ---- The page queries; the result pages answer 404 here, so no playlist is fetched ----

class Queries : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        server().setMisbehaviour(QStringLiteral("/directory/"), {.status = 404});
    }
};

// Stations per genre -> page size and pages, without "Fast Scan" and with it.
struct PageRule { const char* stations; int size, pages, fastSize, fastPages; };
class PageRules : public Queries, public testing::WithParamInterface<std::tuple<PageRule, bool>> {};

TEST_P(PageRules, AskForEveryPageOfTheGenre) {
    const auto& [rule, fast] = GetParam();
    Select(window.CmbNumber, rule.stations);
    window.chk100->setChecked(fast);
    run();
    const int size = fast ? rule.fastSize : rule.size, pages = fast ? rule.fastPages : rule.pages;
    QStringList expected;
    for (int start = 0; start < size * pages; start += size) {
        QString query = start == 0 ? QString() : QStringLiteral("startat=%1").arg(start);
        if (size != 25) query += (start == 0 ? "" : "&") + QStringLiteral("numresult=%1").arg(size);
        expected.append(query + "&sgenre=TopTen");
    }
    EXPECT_EQ(pageQueries(), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryNumber, PageRules, testing::Combine(testing::Values(
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
class QueryKeys : public Queries, public testing::WithParamInterface<QueryCase> {};

TEST_P(QueryKeys, CarryTheOptionsAsTheyStand) {
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
    EXPECT_EQ(window.txturl->text(), server().baseUrl() + kClassicPage + c.queries.last());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Options, QueryKeys, testing::Values(
    //        name                        genre     number  fast   min    max    order  search
    QueryCase{"RockFastOrderedUpTo128",   "Rock",   "200",  true,  "96",  "128", true,  "",
              {"numresult=100&sgenre=Rock&maxbitrate=128&orderby=bitrate",
               "startat=100&numresult=100&sgenre=Rock&maxbitrate=128&orderby=bitrate"}, "96"},
    QueryCase{"Search",                   "Search", "5",    true,  "96",  "",    false, "50s and 60s", {"numresult=5&s=50s+and+60s"}, "96"},
    QueryCase{"SearchWithEmptyBox",       "Search", "5",    true,  "96",  "",    false, "",            {"numresult=5"}, "96"},
    QueryCase{"SearchWithAmpersand",      "Search", "5",    true,  "96",  "",    false, "rock & roll", {"numresult=5"}, "96"},
    QueryCase{"SearchOfBlanksOnly",       "Search", "5",    true,  "96",  "",    false, "   ",         {"numresult=5&s=+++"}, "96"},
    QueryCase{"SearchTextWithAGenre",     "Jazz",   "25",   true,  "96",  "",    false, "50s",         {"&sgenre=Jazz"}, "96"},
    QueryCase{"MinimumAboveMaximum",      "Rock",   "5",    true,  "128", "64",  false, "",            {"numresult=5&sgenre=Rock&maxbitrate=64"}, "64"},
    QueryCase{"MinimumWithoutMaximum",    "Rock",   "5",    true,  "128", "",    false, "",            {"numresult=5&sgenre=Rock"}, "128"}), ByName);
// clang-format on

TEST_F(Queries, ScanAllGenresWalksTheListInOrderWithSearchLastOnlyForASearchText) {
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
        // Every genre gets its folder under the download folder.
        genres.sort();
        EXPECT_EQ(QDir(downloadDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), genres);
    }
}

// ---- GO: one page, with the line ends it was served with ----

struct LineEndCase { const char* name; LineEnds ends; const char *served, *kept; bool oneLine; };
class Fetch : public WindowTest, public testing::WithParamInterface<LineEndCase> {};

TEST_P(Fetch, LeavesThePageWithCrLfLineEndsAndListsTheHeaderLines) {
    const LineEndCase& c = GetParam();
    server().setLineEnds(c.ends);
    const QString address = server().baseUrl() + kClassicPage + "numresult=5&sgenre=Rock";
    const Fetched direct(address);
    const QString raw = direct.responseText();
    ASSERT_TRUE(raw.contains(c.served));
    window.txturl->setText(address);
    Click(window.cmdGO);
    EXPECT_EQ(window.scanState().m_PageText, QString(raw).replace(c.served, c.kept));
    EXPECT_EQ(window.txtSource->toPlainText(), QString(window.scanState().m_PageText).replace("\r\n", "\n"));
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

INSTANTIATE_TEST_SUITE_P(ServedWith, Fetch,
                         testing::Values(LineEndCase{"Lf", LineEnds::Lf, "\n", "", true},
                                         LineEndCase{"CrLf", LineEnds::CrLf, "\r\n", "\r\n", false},
                                         LineEndCase{"Cr", LineEnds::Cr, "\r", "\r\n", false}),
                         ByName);

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
