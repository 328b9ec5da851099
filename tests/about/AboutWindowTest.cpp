// The About window: its version line, its link and the link's hover light; and the main
// window's "?" button that shows it modally.
#include "FakeShell.h"
#include "MakerAddresses.h"
#include "Version.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_about.setPointerSource([this] { return m_pointer; });
        m_about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_about));
    }

    // Puts the (injected) pointer at a point of the link, in the link's own pixels.
    void pointAt(int x, int y) { m_pointer = m_about.PicUrl->mapToGlobal(QPoint(x, y)); }
    bool shows(QLabel* picture) const {
        return m_about.PicUrl->pixmap().toImage() == picture->pixmap().toImage();
    }
    // Lights the link with a real pointer move from the window's free space onto the link.
    void enterLink() {
        QTest::mouseMove(&m_about, QPoint(5, 180));
        QTest::mouseMove(m_about.PicUrl, QPoint(20, 20));
    }

    FakeShell m_shell;
    frmAbout m_about;
    QPoint m_pointer;
};

TEST_F(AboutWindowTest, ShowsThisBuildsVersionAndWithoutAnAddressOpensTheMakersHomePage) {
    using namespace RadiosiftVersion;
    EXPECT_EQ(m_about.lblVersion->text(), VersionLine(Major, Minor, Revision));
    EXPECT_EQ(VersionLine(2, 0, 0), QStringLiteral("Version: 2.0.0"));
    EXPECT_EQ(VersionLine(10, 12, 1234), QStringLiteral("Version: 10.12.1234"));
    EXPECT_GE(m_about.lblVersion->width(), m_about.lblVersion->sizeHint().width()) << "cut off";
    EXPECT_TRUE(shows(m_about.picUrlNormal));
    EXPECT_FALSE(shows(m_about.picUrlActive));
    QTest::mouseClick(m_about.PicUrl, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(m_shell.opened, std::vector{QUrl(MakerHomePage())});
}

TEST_F(AboutWindowTest, AMoveLightsTheLinkOnceUntilATickFindsThePointerOutsideItsEdges) {
    enterLink();
    EXPECT_TRUE(shows(m_about.picUrlActive));
    EXPECT_EQ(m_about.Timer1->interval(), 100);
    pointAt(-40, -40);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_about.Timer1->isActive(); }, 5000));
    EXPECT_TRUE(shows(m_about.picUrlNormal));
    // Where the pointer is at a tick, in the link's pixels; the link is 233 x 45 and its right
    // and bottom edges still count as over it.
    // clang-format off
    const struct { int x, y; bool over; } ticks[] = {{0, 0, true}, {233, 45, true}, {233, 0, true},
        {234, 20, false}, {-1, 20, false}, {100, -1, false}, {100, 46, false}};
    // clang-format on
    for (const auto& t : ticks) {
        SCOPED_TRACE(testing::Message() << t.x << ", " << t.y);
        enterLink();
        ASSERT_TRUE(shows(m_about.picUrlActive));
        pointAt(t.x, t.y);
        m_about.Timer1_Timer();
        EXPECT_EQ(shows(m_about.picUrlActive), t.over);
        EXPECT_EQ(m_about.PicUrlTag(), t.over ? QStringLiteral("1") : QString());
        EXPECT_EQ(m_about.Timer1->isActive(), t.over);
    }
    // Were a further move to light the link again, it would start the stopped timer anew.
    enterLink();
    m_about.Timer1->stop();
    QTest::mouseMove(m_about.PicUrl, QPoint(60, 25));
    EXPECT_FALSE(m_about.Timer1->isActive());
}

TEST(AboutButtonTest, ShowsAModalAboutWithTheMainIconAndProductPageAndReleasesItOnClose) {
    FakeShell shell;
    frmMain window;
    QPointer<frmAbout> shown;
    bool sameIcon = false, leftOpen = false;
    // Runs while the button's handler waits on the modal window: clicks its link and closes it.
    QTimer::singleShot(0, &window, [&] {
        if ((shown = qobject_cast<frmAbout*>(QApplication::activeModalWidget()))) {
            sameIcon = shown->windowIcon().cacheKey() == window.windowIcon().cacheKey();
            QTest::mouseClick(shown->PicUrl, Qt::LeftButton, {}, QPoint(30, 20));
            QTest::mouseClick(shown->Command1, Qt::LeftButton);
        }
        // Whatever is still modal is closed rather than left to hang the test.
        if (QWidget* up = QApplication::activeModalWidget()) leftOpen = up->close();
    });
    QTest::mouseClick(window.cmdAbout, Qt::LeftButton);
    EXPECT_TRUE(sameIcon) << "no modal About window with the main window's icon";
    EXPECT_FALSE(leftOpen);
    EXPECT_TRUE(shown.isNull()) << "the About window outlives its closing";
    EXPECT_EQ(shell.opened, std::vector{QUrl(MakerProductPage())});
}

}  // namespace
