// The progress bar's property rules: clamping, change notification, storing and restoring.
#include "ProgressBar.h"
#include "PropertyBag.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>

namespace {

QStringList Names(const QSignalSpy& spy) {
    QStringList names;
    for (const QList<QVariant>& call : spy) names << call.at(0).toString();
    return names;
}

QJsonObject StoredVp1() {
    QFile file(QStringLiteral(RADIOSIFT_VP1_STORED));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object();
}

struct BoundsCase {
    const char* name;
    std::function<void(ProgressBar&)> act;  // runs on a freshly placed bar: 0 <= 50 <= 100
    int max, min, value;
};

class BoundsTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(BoundsTest, ClampsMaxMinAndValue) {
    ProgressBar bar;
    bar.InitProperties();
    GetParam().act(bar);
    EXPECT_EQ(bar.Max(), GetParam().max);
    EXPECT_EQ(bar.Min(), GetParam().min);
    EXPECT_EQ(bar.Value(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    ProgressBar, BoundsTest,
    ::testing::Values(
        BoundsCase{"MaxZeroBecomesOne", [](ProgressBar& b) { b.setMax(0); }, 1, 0, 1},
        BoundsCase{"MaxNegativeBecomesOne", [](ProgressBar& b) { b.setMax(-7); }, 1, 0, 1},
        BoundsCase{"MaxNotAboveMinBecomesMinPlusOne",
                   [](ProgressBar& b) {
                       b.setMin(10);
                       b.setMax(5);
                   },
                   11, 10, 11},
        BoundsCase{"MinNegativeBecomesZero", [](ProgressBar& b) { b.setMin(-3); }, 100, 0, 50},
        BoundsCase{"MinAtMaxRaisesValue", [](ProgressBar& b) { b.setMin(100); }, 100, 99, 99},
        BoundsCase{"ValueAboveMax", [](ProgressBar& b) { b.setValue(150); }, 100, 0, 100},
        BoundsCase{"ValueBelowMin", [](ProgressBar& b) { b.setValue(-5); }, 100, 0, 0},
        BoundsCase{"ValueBelowRaisedMin",
                   [](ProgressBar& b) {
                       b.setMin(10);
                       b.setValue(5);
                   },
                   100, 10, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgressBarNotification, BoundThatMovesValueAnnouncesValueFirst) {
    ProgressBar bar;
    bar.InitProperties();
    QSignalSpy spy(&bar, &ProgressBar::PropertyChanged);
    bar.setMax(30);
    bar.setMin(20);
    bar.setMax(80);
    bar.setMin(40);
    bar.setTextFont(std::make_shared<QFont>(QStringLiteral("DejaVu Sans")));
    EXPECT_EQ(Names(spy), QStringList({"Value", "Max", "Min", "Max", "Value", "Min", "TextFont"}));
}

TEST(ProgressBarNotification, EverySetterRepaints) {
    ProgressBar bar;
    bar.resize(100, 10);
    bar.InitProperties();
    const QImage half = bar.surface().image();
    bar.setValue(100);
    EXPECT_NE(bar.surface().image(), half);
}

// A setter that leaves the values as they were need not paint again, but a new font, a new
// size or a new background must show even when no value changed.
TEST(ProgressBarNotification, FontSizeAndBackgroundRepaintWithTheValuesUnchanged) {
    QWidget host;
    ProgressBar bar(&host);
    bar.resize(120, 16);
    bar.InitProperties();
    bar.setValue(40);
    const QImage before = bar.surface().image();
    bar.setValue(40);
    EXPECT_EQ(bar.surface().image(), before);

    bar.setTextFont(std::make_shared<QFont>(QStringLiteral("DejaVu Serif"), 13));
    const QImage withFont = bar.surface().image();
    EXPECT_NE(withFont, before);

    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 30));
    host.setPalette(palette);
    bar.setValue(40);
    EXPECT_EQ(bar.surface().backColour(), RGBColour(10, 200, 30));

    bar.resize(80, 16);
    bar.setValue(40);
    ASSERT_EQ(bar.surface().width(), 80);
    EXPECT_NE(bar.surface().GetPixel(40, 8), bar.surface().backColour());
}

TEST(ProgressBarTextFont, NoneLetsGoOfTheFontWithoutRepaintOrNotice) {
    ProgressBar bar;
    bar.resize(100, 20);
    bar.InitProperties();
    auto font = std::make_shared<QFont>(QStringLiteral("DejaVu Serif"), 14);
    bar.setTextFont(font);
    EXPECT_EQ(bar.TextFont(), font);  // the same object, not a copy
    const QImage before = bar.surface().image();

    QSignalSpy spy(&bar, &ProgressBar::PropertyChanged);
    bar.setTextFont(nullptr);
    EXPECT_EQ(bar.TextFont(), nullptr);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(bar.surface().image(), before);
    EXPECT_EQ(bar.surface().font(), *font);
}

TEST(ProgressBarStore, EmptyStoreGivesTheReadDefaults) {
    QWidget host;
    QFont ambient(QStringLiteral("DejaVu Serif"), 11);
    host.setFont(ambient);
    ProgressBar bar(&host);
    bar.setObjectName(QStringLiteral("vp7"));
    bar.ReadProperties(PropertyBag());

    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(bar.RoundedValue(), 5);
    EXPECT_TRUE(bar.Enabled());
    EXPECT_EQ(bar.Theme(), 1);
    EXPECT_EQ(bar.TextStyle(), 1);
    EXPECT_EQ(bar.Orientations(), 1);
    EXPECT_EQ(bar.Text(), "vp7");
    EXPECT_EQ(bar.TextEffectColor(), RGBColour(200, 200, 200));
    EXPECT_EQ(bar.TextEffect(), 1);
    EXPECT_EQ(bar.TextAlignment(), 5);
    ASSERT_NE(bar.TextFont(), nullptr);
    EXPECT_EQ(bar.TextFont()->family(), ambient.family());
    EXPECT_EQ(bar.TextFont()->pointSizeF(), ambient.pointSizeF());
    EXPECT_EQ(bar.TextForeColor(), 0u);
    EXPECT_EQ(bar.PBSCustomeColor1(), 0u);
    EXPECT_EQ(bar.PBSCustomeColor2(), 0u);
}

TEST(ProgressBarStore, BoundsReadInTurnAndUnreadableValuesSkipped) {
    ProgressBar bar;
    QJsonObject stored{{"Max", 10}, {"Min", 20}, {"Value", 50}, {"Theme", "blue"}};
    bar.ReadProperties(PropertyBag::fromJson(stored));
    EXPECT_EQ(bar.Max(), 10);
    EXPECT_EQ(bar.Min(), 9);
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_EQ(bar.Theme(), 0);  // left as it was; the keys after it are still read
    EXPECT_EQ(bar.TextStyle(), 1);
}

TEST(ProgressBarStore, WritesOnlyWhatDiffersFromTheDefaults) {
    ProgressBar bar;
    bar.setObjectName(QStringLiteral("vp7"));
    bar.InitProperties();
    PropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.values().keys(),
              QStringList({"Text", "TextEffect", "TextEffectColor", "TextStyle"}));

    bar.setText(QString());  // empty text is not stored and reads back as the bar's name
    bar.setTheme(4);
    ProgressBar copy;
    copy.setObjectName(QStringLiteral("vp8"));
    PropertyBag again;
    bar.WriteProperties(again);
    copy.ReadProperties(again);
    EXPECT_EQ(copy.Theme(), 4);
    EXPECT_EQ(copy.TextEffect(), 5);
    EXPECT_EQ(copy.Text(), "vp8");
}

TEST(ProgressBarStore, MainWindowBarRoundTripsItsStoredProperties) {
    ProgressBar bar;
    bar.ReadProperties(PropertyBag::fromJson(StoredVp1()));
    PropertyBag written;
    bar.WriteProperties(written);
    EXPECT_EQ(written.toJson(), StoredVp1());
}

TEST(ProgressBarOnMainWindow, RestoredThenReadyOnAFullBarThenFollowsTheRun) {
    frmMain window;
    ProgressBar& vp1 = *window.vp1;
    EXPECT_EQ(vp1.Theme(), 9);
    EXPECT_EQ(vp1.TextStyle(), 3);
    EXPECT_EQ(vp1.TextEffect(), 5);
    EXPECT_EQ(vp1.TextEffectColor(), RGBColour(255, 255, 255));
    EXPECT_EQ(vp1.TextAlignment(), 5);
    ASSERT_NE(vp1.TextFont(), nullptr);
    EXPECT_EQ(vp1.TextFont()->family(), "MS Sans Serif");
    EXPECT_EQ(vp1.TextFont()->pointSizeF(), 8.25);
    EXPECT_EQ(vp1.TextFont()->weight(), QFont::Normal);
    EXPECT_EQ(vp1.Text(), "Ready");
    EXPECT_EQ(vp1.Value(), 100);

    window.setVp1Text(QStringLiteral("Getting Genre Jazz"));
    window.setVp1Value(10);
    EXPECT_EQ(vp1.Text(), "Getting Genre Jazz");
    EXPECT_EQ(vp1.Value(), 10);
    // 489 x 17 pixels: theme 9's fill ends at round(48.9) = 49, left of the centred caption;
    // row 8 starts the lower band of fill and track.
    ASSERT_EQ(vp1.size(), QSize(489, 17));
    EXPECT_EQ(vp1.surface().GetPixel(48, 8), RGBColour(26, 228, 26));
    EXPECT_EQ(vp1.surface().GetPixel(49, 8), RGBColour(179, 189, 179));
    EXPECT_EQ(vp1.mask(), Surface::RoundRectRegion(0, 0, 489, 17, 5, 5));
}

}  // namespace
