// The About window: its version line, its link and the link's hover light; and the main
// window's "?" button that shows it modally.
#include "FakeShell.h"
#include "LinkArtwork.h"
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
#include <ostream>

namespace {

bool SamePicture(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage() == b.toImage();
}

struct VersionCase {
    int major, minor, revision;
    const char* line;
};

class VersionLineTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionLineTest, ShowsAllThreeNumbersEvenWhenTheyAreZero) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(VersionLine(c.major, c.minor, c.revision), QString::fromUtf8(c.line));
}

INSTANTIATE_TEST_SUITE_P(Cases, VersionLineTest,
                         ::testing::Values(VersionCase{2, 0, 0, "Version: 2.0.0"},
                                           VersionCase{10, 12, 1234, "Version: 10.12.1234"}));

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_about.setPointerSource([this] { return m_pointer; });
        m_about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_about));
    }

    // Puts the (injected) pointer at a point of the link, in the link's own pixels.
    void pointAt(QPoint onLink) { m_pointer = m_about.PicUrl->mapToGlobal(onLink); }
    bool lit() const {
        return SamePicture(m_about.PicUrl->pixmap(), m_about.picUrlActive->pixmap());
    }
    bool resting() const {
        return SamePicture(m_about.PicUrl->pixmap(), m_about.picUrlNormal->pixmap());
    }
    // Lights the link with a real pointer move from the window's free space onto the link.
    void enterLink() {
        QTest::mouseMove(&m_about, QPoint(5, 180));
        pointAt(QPoint(20, 20));
        QTest::mouseMove(m_about.PicUrl, QPoint(20, 20));
    }

    FakeShell m_shell;
    frmAbout m_about;
    QPoint m_pointer;
};

TEST_F(AboutWindowTest, NamesTheProgramAndThisBuildsVersionAndStartsWithTheLinkAtRest) {
    EXPECT_EQ(m_about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(m_about.size(), QSize(357, 204));
    EXPECT_EQ(m_about.Label1[0]->text(), QStringLiteral("Kestrelware Radiosift"));
    EXPECT_EQ(
        m_about.lblVersion->text(),
        VersionLine(RadiosiftVersion::Major, RadiosiftVersion::Minor, RadiosiftVersion::Revision));
    EXPECT_GE(m_about.lblVersion->width(), m_about.lblVersion->sizeHint().width()) << "cut off";
    EXPECT_EQ(m_about.PicUrl->geometry(), QRect(56, 4, 233, 45));
    EXPECT_EQ(m_about.picUrlActive->pixmap().size(), LinkArtwork::LinkSize);
    EXPECT_FALSE(SamePicture(m_about.picUrlNormal->pixmap(), m_about.picUrlActive->pixmap()));
    EXPECT_TRUE(resting());
    EXPECT_TRUE(m_about.PicUrlTag().isEmpty());
    EXPECT_FALSE(m_about.Timer1->isActive());
}

TEST_F(AboutWindowTest, WithoutAnAddressTheLinkOpensTheMakersHomePageAndTheWindowStays) {
    QTest::mouseClick(m_about.PicUrl, Qt::LeftButton, {}, QPoint(30, 20));
    ASSERT_EQ(m_shell.opened.size(), 1u);
    EXPECT_EQ(m_shell.opened[0], QUrl(MakerHomePage()));
    EXPECT_TRUE(m_about.isVisible());
}

TEST_F(AboutWindowTest, APointerMoveLightsTheLinkUntilATickFindsThePointerGone) {
    for (int visit = 0; visit < 2; ++visit) {
        enterLink();
        EXPECT_TRUE(lit());
        EXPECT_EQ(m_about.PicUrlTag(), QStringLiteral("1"));
        EXPECT_TRUE(m_about.Timer1->isActive());
        EXPECT_EQ(m_about.Timer1->interval(), 100);
        pointAt(QPoint(-40, -40));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !m_about.Timer1->isActive(); }, 5000));
        EXPECT_TRUE(resting());
        EXPECT_TRUE(m_about.PicUrlTag().isEmpty());
    }
}

TEST_F(AboutWindowTest, FurtherMovesOverTheLitLinkLeaveTheTimerAlone) {
    enterLink();
    // Were a move to light the link again, it would start the timer anew at 100 ms.
    m_about.Timer1->stop();
    m_about.Timer1->setInterval(5000);
    QTest::mouseMove(m_about.PicUrl, QPoint(60, 25));
    QTest::mouseMove(m_about.PicUrl, QPoint(61, 26));
    EXPECT_FALSE(m_about.Timer1->isActive());
    EXPECT_EQ(m_about.Timer1->interval(), 5000);
    EXPECT_TRUE(lit());
}

// Where the pointer is, in the link's pixels, when the timer ticks; the link is 233 x 45.
struct TickCase {
    int x, y;
    bool stillLit;
};

void PrintTo(const TickCase& c, std::ostream* out) {
    *out << "(" << c.x << ", " << c.y << ")" << (c.stillLit ? " inside" : " outside");
}

class HoverTickTest : public AboutWindowTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(HoverTickTest, TheRightAndBottomEdgesStillCountAsOverTheLink) {
    const TickCase& c = GetParam();
    enterLink();
    pointAt(QPoint(c.x, c.y));
    m_about.Timer1_Timer();
    EXPECT_EQ(lit(), c.stillLit);
    EXPECT_EQ(m_about.PicUrlTag(), c.stillLit ? QStringLiteral("1") : QString());
    EXPECT_EQ(m_about.Timer1->isActive(), c.stillLit);
}

INSTANTIATE_TEST_SUITE_P(Cases, HoverTickTest,
                         ::testing::Values(TickCase{0, 0, true}, TickCase{233, 45, true},
                                           TickCase{233, 0, true}, TickCase{234, 20, false},
                                           TickCase{-1, 20, false}, TickCase{100, -1, false},
                                           TickCase{100, 46, false}));

TEST(AboutButtonTest, ShowsAModalAboutWithTheMainIconAndProductPageAndReleasesItOnClose) {
    FakeShell shell;
    frmMain window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QPointer<frmAbout> shown;
    bool found = false;
    bool wasModal = false;
    bool sameIcon = false;
    // Looks for the modal window while the button's handler waits on it, then clicks the link
    // and closes it.
    QTimer finder;
    QObject::connect(&finder, &QTimer::timeout, [&] {
        shown = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (!shown) return;
        finder.stop();
        found = true;
        wasModal = shown->isModal();
        sameIcon = shown->windowIcon().cacheKey() == window.windowIcon().cacheKey();
        QTest::mouseClick(shown->PicUrl, Qt::LeftButton, {}, QPoint(30, 20));
        QTest::mouseClick(shown->Command1, Qt::LeftButton);
    });
    finder.start(10);
    // Should it not be found, it is closed here instead of hanging the test.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    guard.start(10000);

    QTest::mouseClick(window.cmdAbout, Qt::LeftButton);

    ASSERT_TRUE(found) << "no modal About window";
    EXPECT_TRUE(shown.isNull()) << "the About window outlives its closing";
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(sameIcon);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QUrl(MakerProductPage()));
    EXPECT_TRUE(window.findChildren<frmAbout*>().isEmpty());
}

}  // namespace
