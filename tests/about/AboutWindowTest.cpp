// The About window: its version line, its link, the link's hover light and the link from the
// keyboard and a screen reader; and the main window's "?" button that shows it, modal to the main
// window.
#include "FakeShell.h"
#include "MakerAddresses.h"
#include "Version.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// A move onto the link lights it until a tick of the timer finds the (injected) pointer
// outside it; the link is 233 x 45 and its right and bottom edges still count as over it.
TEST(AboutWindow, ShowsTheVersionAndLightsTheLinkWhileThePointerIsOverIt) {
    FakeShell shell;
    frmAbout about;
    QPoint pointer;
    about.setPointerSource([&] { return pointer; });
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    const auto shows = [&](QLabel* picture) {
        return about.PicUrl->pixmap().toImage() == picture->pixmap().toImage();
    };
    using namespace RadiosiftVersion;
    EXPECT_EQ(about.lblVersion->text(),
              QStringLiteral("Version: %1.%2.%3").arg(Major).arg(Minor).arg(Revision));
    EXPECT_GE(about.lblVersion->width(), about.lblVersion->sizeHint().width()) << "cut off";
    EXPECT_TRUE(shows(about.picUrlNormal));
    const std::tuple<int, int, bool> points[] = {{0, 0, true},     {233, 45, true},
                                                 {234, 20, false}, {-1, 20, false},
                                                 {100, -1, false}, {100, 46, false}};
    for (const auto& [x, y, over] : points) {
        SCOPED_TRACE(testing::Message() << x << ", " << y);
        QTest::mouseMove(&about, QPoint(5, 180));  // a real move from the free space onto the link
        QTest::mouseMove(about.PicUrl, QPoint(20, 20));
        ASSERT_TRUE(shows(about.picUrlActive));
        EXPECT_EQ(about.Timer1->interval(), 100) << "the link stays lit longer once left";
        pointer = about.PicUrl->mapToGlobal(QPoint(x, y));
        if (over) about.Timer1_Timer();  // a tick that finds the pointer still over the link
        EXPECT_TRUE(QTest::qWaitFor([&] { return about.Timer1->isActive() == over; }, 5000));
        EXPECT_TRUE(shows(over ? about.picUrlActive : about.picUrlNormal));
        EXPECT_EQ(about.PicUrlTag(), over ? QStringLiteral("1") : QString());
    }
    QTest::mouseClick(about.PicUrl, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(shell.opened, std::vector{QUrl(MakerHomePage())});  // no address: the home page

    // Tab from Close reaches the link, framed; Enter, Space and a screen reader's press open it.
    QApplication::setActiveWindow(&about);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    about.Command1->setFocus();
    QTest::keyClick(about.Command1, Qt::Key_Tab);
    EXPECT_EQ(about.PicUrl->frameShape(), QFrame::Box);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) QTest::keyClick(about.PicUrl, key);
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(about.PicUrl);
    EXPECT_EQ(std::pair(link->role(), link->text(QAccessible::Name)),
              std::pair(QAccessible::Link, MakerAddressText()));
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(shell.opened, std::vector<QUrl>(4, QUrl(MakerHomePage())));
}

// The button returns at once (a run behind the window goes on) and leaves the About window up,
// modal to the main window.
TEST(AboutButton, ShowsAWindowModalAboutWithTheMainIconAndProductPageAndReleasesItOnClose) {
    FakeShell shell;
    frmMain window;
    window.show();
    QTest::mouseClick(window.cmdAbout, Qt::LeftButton);
    const QPointer<frmAbout> shown = window.findChild<frmAbout*>();
    ASSERT_TRUE(shown && shown->isVisible()) << "no About window";
    EXPECT_EQ(shown->windowModality(), Qt::WindowModal);
    EXPECT_EQ(shown->windowIcon().cacheKey(), window.windowIcon().cacheKey());
    QTest::mouseClick(shown->PicUrl, Qt::LeftButton, {}, QPoint(30, 20));
    QTest::mouseClick(shown->Command1, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.isNull(); }, 5000))
        << "the About window outlives its closing";
    EXPECT_EQ(shell.opened, std::vector{QUrl(MakerProductPage())});
}

}  // namespace
