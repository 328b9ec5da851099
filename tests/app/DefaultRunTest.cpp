// A run with the options a fresh start shows, through the real window and the local directory.
#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "ProgressBar.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace {

class DefaultRun : public DirectoryFixture {};

TEST_F(DefaultRun, AsksForTheFirstFiveTopTenStationsAndEndsDone) {
    frmMain window;
    window.txtDL->setText(downloadDir());
    MainWindowDriver::Run(window);

    ASSERT_FALSE(server().requestLog().isEmpty());
    EXPECT_EQ(server().requestLog().first(), QStringLiteral("/directory/index.phtml?numresult=5&sgenre=TopTen"));
    EXPECT_EQ(window.vp1->Text(), QStringLiteral("Done"));
    EXPECT_EQ(window.vp1->Value(), 100);
    EXPECT_EQ(window.cmdRun->text(), QStringLiteral("&Run"));
    EXPECT_EQ(window.txtProg->text(), QStringLiteral("Done"));
}

}  // namespace
