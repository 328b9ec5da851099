// A fresh main window: its options and displays before anything is clicked, its fixed frame,
// and that nothing chosen in one window survives into the next.
#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "ScanWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

namespace {

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items.append(list->itemText(i));
    return items;
}

void ExpectFreshStart(const frmMain& window) {
    const QStringList bitrates = {"",   "24",  "32",  "48",  "56",  "64",
                                  "96", "128", "160", "192", "256", "320"};
    EXPECT_EQ(Items(window.cmbMinBit), bitrates);
    EXPECT_EQ(Items(window.cmbMaxBit), bitrates);
    EXPECT_EQ(window.cmbMinBit->currentIndex(), 6);
    EXPECT_EQ(window.cmbMinBit->currentText(), "96");
    EXPECT_EQ(window.cmbMaxBit->currentIndex(), 0);
    EXPECT_EQ(
        Items(window.CmbGenre),
        QStringList({"TopTen", "Alternative", "Classical", "Comedy", "Country", "Dance", "Funk",
                     "Jazz",   "Metal",       "Mixed",     "Pop",    "Rap",     "RnB",   "Rock",
                     "Talk",   "Techno",      "70s",       "80s",    "World",   "Search"}));
    EXPECT_EQ(window.CmbGenre->currentText(), "TopTen");
    EXPECT_EQ(Items(window.CmbNumber),
              QStringList({"5", "10", "25", "50", "100", "200", "300", "400", "500", "750", "1000",
                           "1500", "2000", "2500", "3000", "4000", "5000"}));
    EXPECT_EQ(window.CmbNumber->currentText(), "5");
    EXPECT_EQ(Items(window.cmbFormat), QStringList({"PLS file", "ASX file", "M3U file"}));
    EXPECT_EQ(window.cmbFormat->currentText(), "PLS file");
    EXPECT_EQ(Items(window.cmbStream), QStringList({"MP3", "AAC", "<all>"}));
    EXPECT_EQ(window.cmbStream->currentText(), "MP3");
    for (const QComboBox* list : {window.cmbMinBit, window.cmbMaxBit, window.CmbGenre,
                                  window.CmbNumber, window.cmbFormat, window.cmbStream}) {
        EXPECT_FALSE(list->isEditable());
    }

    EXPECT_TRUE(window.chk100->isChecked());
    EXPECT_FALSE(window.chkOrderBitrate->isChecked());
    EXPECT_FALSE(window.chkAllGenre->isChecked());
    EXPECT_FALSE(window.chkNew->isChecked());
    EXPECT_TRUE(window.chkNew->isHidden());

    EXPECT_EQ(window.txtDL->text(), QDir::toNativeSeparators(QStringLiteral("%TEMP%/.1")));
    EXPECT_EQ(window.txtFormat->text(), "%STATION%_%BITRATE%");
    EXPECT_EQ(window.txtPlsSize->text(), "40");
    EXPECT_EQ(window.txtSearch->text(), "");
    EXPECT_EQ(window.cmdRun->text(), "Run");

    EXPECT_EQ(window.vp1->Text(), "Ready");
    EXPECT_EQ(window.vp1->Value(), 100);

    EXPECT_EQ(window.txturl->text(), "http://");
    EXPECT_EQ(window.txtProg->text(), "");
    EXPECT_EQ(window.txtStat->text(), "");
    EXPECT_EQ(window.txtSource->toPlainText(), "");
    EXPECT_EQ(window.lstHeaders->count(), 0);
    EXPECT_EQ(window.cmdGO->text(), "GO");
    EXPECT_EQ(window.cmdScan->text(), "&Scan");

    const ScanState& state = window.scanState();
    EXPECT_EQ(state.StationCount, 0);
    EXPECT_EQ(state.Stations.size(), 1);
    EXPECT_EQ(state.m_Genre, "TopTen");
    EXPECT_FALSE(state.m_Running);
    EXPECT_EQ(state.m_PageText, "");
}

class ScanWindowDefaults : public DirectoryFixture {};

TEST_F(ScanWindowDefaults, AFreshWindowShowsTheStartingOptionsInAFixedFrame) {
    frmMain window;
    ExpectFreshStart(window);

    EXPECT_EQ(window.windowTitle(), "Radiosift");
    EXPECT_EQ(window.minimumSize(), QSize(505, 299));
    EXPECT_EQ(window.maximumSize(), QSize(505, 299));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));

    // The controls for trying the fetch and the classic parser by hand lie beyond the client
    // area, which cannot be enlarged to show them.
    window.show();
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             window.txtProg, window.txtStat, window.txturl, window.cmdGO, window.lstHeaders,
             window.txtSource, window.cmdScan}) {
        EXPECT_EQ(control->parentWidget(), &window);
        EXPECT_FALSE(window.rect().intersects(control->geometry()))
            << control->metaObject()->className();
    }
    EXPECT_TRUE(window.rect().contains(window.vp1->mapTo(&window, window.vp1->rect().center())));
}

TEST_F(ScanWindowDefaults, CheckingScanAllGenresDoesNothingUntilRun) {
    frmMain window;
    window.txtDL->setText(downloadDir());
    QTest::mouseClick(window.chkAllGenre, Qt::LeftButton);
    EXPECT_TRUE(window.chkAllGenre->isChecked());
    EXPECT_TRUE(server().requestLog().isEmpty());
    EXPECT_EQ(window.vp1->Text(), "Ready");
    EXPECT_EQ(window.cmdRun->text(), "Run");
    EXPECT_TRUE(QDir(downloadDir()).isEmpty());
}

TEST_F(ScanWindowDefaults, ChoicesAndRunStateAreGoneInTheNextWindow) {
    {
        frmMain window;
        window.txtDL->setText(downloadDir());
        MainWindowDriver::Select(window.cmbMinBit, "128");
        MainWindowDriver::Select(window.cmbMaxBit, "320");
        MainWindowDriver::Select(window.CmbGenre, "Jazz");
        MainWindowDriver::Select(window.CmbNumber, "10");
        MainWindowDriver::Select(window.cmbFormat, "M3U file");
        MainWindowDriver::Select(window.cmbStream, "<all>");
        window.chk100->setChecked(false);
        window.chkOrderBitrate->setChecked(true);
        window.txtFormat->setText("%RN%");
        window.txtPlsSize->setText("12");
        window.txtSearch->setText("jazz");
        MainWindowDriver::Run(window);
        ASSERT_EQ(window.vp1->Text(), "Done");
        ASSERT_GT(window.scanState().StationCount, 0);
    }
    frmMain next;
    ExpectFreshStart(next);
}

}  // namespace
