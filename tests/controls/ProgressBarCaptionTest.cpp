// The progress bar's caption: its text, its place on the bar and the effects under it.
#include "ProgressBarCaption.h"
#include "ProgressBarColours.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <vector>

namespace {

struct PercentCase {
    int value, max;
    QLocale::Language language;
    const char* text;
};

class PercentCaptionTest : public ::testing::TestWithParam<PercentCase> {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(PercentCaptionTest, ShowsUpTo15SignificantDigitsWithoutTrailingZeros) {
    const PercentCase c = GetParam();
    QLocale::setDefault(QLocale(c.language, QLocale::AnyTerritory));
    ProgressBarState state;
    state.TextStyle = 2;
    state.Value = c.value;
    state.Max = c.max;
    EXPECT_EQ(CaptionFor(state), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(ProgressBarCaption, PercentCaptionTest,
                         ::testing::Values(PercentCase{0, 100, QLocale::English, "0%"},
                                           PercentCase{100, 100, QLocale::English, "100%"},
                                           PercentCase{2, 3, QLocale::English, "66.6666666666667%"},
                                           PercentCase{1, 3, QLocale::English, "33.3333333333333%"},
                                           PercentCase{1, 8, QLocale::English, "12.5%"},
                                           PercentCase{2, 3, QLocale::German,
                                                       "66,6666666666667%"}));

TEST(ProgressBarCaption, StyleChoosesNumberTextOrNothing) {
    ProgressBarState state;
    state.Min = 10, state.Value = 10, state.Max = 100, state.Text = QStringLiteral("Done");
    state.TextStyle = 1;
    EXPECT_EQ(CaptionFor(state), QStringLiteral("10"));  // Min is not taken off
    state.TextStyle = 3;
    EXPECT_EQ(CaptionFor(state), QStringLiteral("Done"));
    state.TextStyle = 4;
    EXPECT_EQ(CaptionFor(state), std::nullopt);
}

TEST(ProgressBarCaption, NineAlignmentsOnA200By20Bar) {
    // A caption 50 pixels wide and 13 high; the middle row is round(2.5) = 2.
    const QPoint expected[10] = {{0, 0},  {1, 0},  {1, 2},   {1, 6},   {74, 0},
                                 {74, 2}, {74, 6}, {147, 0}, {147, 2}, {147, 6}};
    for (int alignment = 0; alignment <= 9; ++alignment) {
        EXPECT_EQ(CaptionPosition(200, 20, 50, 13, alignment), expected[alignment]) << alignment;
    }
    EXPECT_EQ(CaptionPosition(200, 20, 50, 13, 10), QPoint(0, 0));
}

constexpr Colour kText = RGBColour(200, 0, 0);
constexpr Colour kEffect = RGBColour(0, 0, 255);
constexpr Colour kGrey = RGBColour(128, 128, 128);
const QString kCaption = QStringLiteral("Ready");

Surface Blank() {
    Surface surface(200, 20);
    surface.setBackColour(RGBColour(255, 255, 224));
    surface.clear();
    surface.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    return surface;
}

struct Print {
    Colour colour;
    int dx, dy;
};

struct EffectCase {
    int effect;
    std::vector<Print> prints;  // in order, relative to the centred caption
};

class CaptionEffectTest : public ::testing::TestWithParam<EffectCase> {};

TEST_P(CaptionEffectTest, PrintsTheCopiesInOrderAroundTheCentredPosition) {
    ProgressBarState state;
    state.Enabled = true;
    state.TextForeColor = kText;
    state.TextEffectColor = kEffect;
    state.TextEffect = GetParam().effect;
    Surface drawn = Blank();
    DrawCaption(drawn, state, kCaption, 5);

    Surface expected = Blank();
    const double tw = expected.TextWidth(kCaption), th = expected.TextHeight(kCaption);
    const int x = static_cast<int>(std::nearbyint(200 / 2.0 - tw / 2 - 1));
    const int y = static_cast<int>(std::nearbyint(20 / 2.0 - th / 2 - 1));
    for (const Print& print : GetParam().prints) {
        expected.setForeColour(print.colour);
        expected.setCurrentPosition(x + print.dx, y + print.dy);
        expected.Print(kCaption);
    }
    EXPECT_EQ(drawn.image(), expected.image());
    EXPECT_EQ(drawn.image() != Blank().image(), !GetParam().prints.empty());
}

INSTANTIATE_TEST_SUITE_P(
    ProgressBarCaption, CaptionEffectTest,
    ::testing::Values(
        EffectCase{0, {}}, EffectCase{1, {{kText, 0, 0}}},
        EffectCase{2, {{kEffect, -1, -1}, {kGrey, 1, 1}, {kText, 0, 0}}},
        EffectCase{3, {{kEffect, 1, 1}, {kGrey, -1, 0}, {kText, 0, 0}}},
        EffectCase{
            4,
            {{kEffect, 1, 0}, {kEffect, -1, 0}, {kEffect, 0, -1}, {kEffect, 0, 1}, {kText, 0, 0}}},
        EffectCase{5, {{kEffect, 1, 1}, {kText, 0, 0}}}, EffectCase{6, {}}));

TEST(ProgressBarCaption, DisabledCaptionUsesGreyedColours) {
    ProgressBarState state;
    state.TextEffect = 2;
    state.Enabled = false;
    state.TextForeColor = kText;
    state.TextEffectColor = kEffect;
    Surface disabled = Blank();
    DrawCaption(disabled, state, kCaption, 5);
    EXPECT_EQ(disabled.foreColour(), GreyColour(kText));

    state.Enabled = true;
    state.TextForeColor = GreyColour(kText);
    state.TextEffectColor = GreyColour(kEffect);
    Surface greyed = Blank();
    DrawCaption(greyed, state, kCaption, 5);
    EXPECT_EQ(disabled.image(), greyed.image());
}

}  // namespace
