// A fresh main window: its options and displays before anything is clicked, its fixed frame,
// the options frame restored from the stored properties, and that nothing chosen or run in one
// window survives into the next.
#include "GFXFrameX.h"
#include "ScanWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>

#include <tuple>

namespace {

using namespace ScanWindow;

void ExpectFreshStart(const frmMain& w) {
    // clang-format off
    const QStringList bitrates = {"", "24", "32", "48", "56", "64", "96", "128", "160", "192", "256", "320"};
    const std::tuple<const QComboBox*, QStringList, QString> lists[] = {
        {w.cmbMinBit, bitrates, "96"},
        {w.cmbMaxBit, bitrates, ""},
        {w.CmbGenre, {"TopTen", "Alternative", "Classical", "Comedy", "Country", "Dance", "Funk", "Jazz", "Metal",
                      "Mixed", "Pop", "Rap", "RnB", "Rock", "Talk", "Techno", "70s", "80s", "World", "Search"}, "TopTen"},
        {w.CmbNumber, {"5", "10", "25", "50", "100", "200", "300", "400", "500", "750", "1000", "1500", "2000",
                       "2500", "3000", "4000", "5000"}, "5"},
        {w.cmbFormat, {"PLS file", "ASX file", "M3U file"}, "PLS file"},
        {w.cmbStream, {"MP3", "AAC", "<all>"}, "MP3"}};
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
    EXPECT_EQ(w.vp1->Text(), "Ready");
    EXPECT_EQ(w.vp1->Value(), 100);
    EXPECT_EQ(w.txtSource->toPlainText(), "");
    EXPECT_EQ(w.lstHeaders->count(), 0);
    const ScanState& state = w.scanState();
    EXPECT_EQ(state.StationCount, 0);
    EXPECT_EQ(state.Stations.size(), 1);
    EXPECT_EQ(state.m_Genre, "TopTen");
}

class ScanWindowDefaults : public WindowTest {};

TEST_F(ScanWindowDefaults, AFreshWindowShowsTheStartingOptionsInAFixedFrame) {
    frmMain fresh;
    ExpectFreshStart(fresh);
    EXPECT_EQ(fresh.minimumSize(), QSize(505, 299));
    EXPECT_EQ(fresh.maximumSize(), QSize(505, 299));
    EXPECT_FALSE(fresh.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The controls for trying the fetch and the classic parser by hand lie beyond the client
    // area, which cannot be enlarged to show them.
    fresh.show();
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             fresh.txtProg, fresh.txtStat, fresh.txturl, fresh.cmdGO, fresh.lstHeaders,
             fresh.txtSource, fresh.cmdScan})
        EXPECT_FALSE(fresh.rect().intersects(control->geometry()));
}

TEST_F(ScanWindowDefaults, TheOptionsFrameIsRestoredFromTheStoredPropertiesBehindItsControls) {
    const GFXFrameX* frame = window.GFXFrameX1;
    EXPECT_EQ(frame->FrameStyle(), 0);
    EXPECT_EQ(frame->FillColour(), RGBColour(240, 240, 246));
    EXPECT_EQ(frame->BackColour(), RGBColour(236, 237, 240));
    EXPECT_EQ(frame->BorderColour(), RGBColour(192, 192, 192));
    // Painted at once, at 489 x 181 pixels, on the window's own background.
    ASSERT_EQ(frame->surface().width(), 489);
    ASSERT_EQ(frame->surface().height(), 181);
    EXPECT_EQ(frame->surface().GetPixel(488, 0), RGBColour(240, 240, 244));
    EXPECT_EQ(frame->surface().GetPixel(240, 90), RGBColour(240, 240, 246));
    window.show();
    for (QWidget* control : std::initializer_list<QWidget*>{window.cmdRun, window.CmbGenre})
        EXPECT_EQ(frame->childAt(control->geometry().center()), control);
}

TEST_F(ScanWindowDefaults, NothingChosenOrRunInOneWindowIsKeptForTheNext) {
    {
        frmMain first;
        first.txtDL->setText(downloadDir());
        for (const auto& [list, text] : std::initializer_list<std::pair<QComboBox*, QString>>{
                 {first.cmbMinBit, "128"}, {first.cmbMaxBit, "320"}, {first.CmbGenre, "Jazz"},
                 {first.CmbNumber, "10"}, {first.cmbFormat, "M3U file"}, {first.cmbStream, "<all>"}})
            Select(list, text);
        for (QCheckBox* box : {first.chk100, first.chkOrderBitrate}) box->toggle();
        for (const auto& [edit, text] : std::initializer_list<std::pair<QLineEdit*, QString>>{
                 {first.txtFormat, "%RN%"}, {first.txtPlsSize, "12"}, {first.txtSearch, "jazz"}})
            edit->setText(text);
        MainWindowDriver::Run(first);
        ASSERT_GT(first.scanState().StationCount, 0);
    }
    ExpectFreshStart(frmMain());
}

}  // namespace
