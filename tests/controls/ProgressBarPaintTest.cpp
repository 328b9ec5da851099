// Pixels of the painted progress bar: theme colours in both bands, the fill's length, the
// vertical bar, greying, the custom theme, corners and window shape, the four-colour gradient.
#include "ProgressBarColours.h"
#include "ProgressBarPainter.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace ProgressBarPainter;

// Theme 9, half full, square corners, no caption (so every pixel is the bar's own).
ProgressBarState Bar() {
    ProgressBarState state;
    state.Max = 100;
    state.Value = 50;
    state.Enabled = true;
    state.Theme = 9;
    state.Orientations = 1;
    return state;
}

Surface Paint(ProgressBarState& state, int width, int height, QRegion* shape = nullptr) {
    Surface surface(width, height);
    const QRegion region = DrawBar(surface, state);
    if (shape) *shape = region;
    return surface;
}

constexpr Colour kTrackLower = RGBColour(179, 189, 179);  // theme 9, palette 4
constexpr Colour kFillLower = RGBColour(26, 228, 26);     // theme 9, palette 12

TEST(ProgressBarPaint, ThemeColoursAtTheStartAndMiddleOfEachBand) {
    ProgressBarState state = Bar();
    const Surface s = Paint(state, 200, 20);
    // Rows 0..9 are the upper band, 10..19 the lower; halfway down a band each channel is
    // the floor of the mean of the band's two colours.
    EXPECT_EQ(s.GetPixel(199, 0), RGBColour(231, 243, 232));  // outside the outline
    EXPECT_EQ(s.GetPixel(150, 5), RGBColour(228, 231, 228));
    EXPECT_EQ(s.GetPixel(150, 10), kTrackLower);
    EXPECT_EQ(s.GetPixel(150, 15), RGBColour(202, 213, 202));
    EXPECT_EQ(s.GetPixel(50, 5), RGBColour(165, 253, 165));
    EXPECT_EQ(s.GetPixel(50, 10), kFillLower);
    EXPECT_EQ(s.GetPixel(50, 15), RGBColour(121, 236, 121));
    EXPECT_EQ(s.GetPixel(0, 0), RGBColour(188, 184, 188));  // the outline
    EXPECT_EQ(s.GetPixel(198, 18), RGBColour(188, 184, 188));
}

struct FillCase {
    int width, min, value, max, end;  // the fill covers x 0 .. end - 1
};

class FillLengthTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillLengthTest, FillEndsAtTheRoundedLength) {
    const FillCase c = GetParam();
    ProgressBarState state = Bar();
    state.Min = c.min, state.Value = c.value, state.Max = c.max;
    const Surface s = Paint(state, c.width, 20);
    EXPECT_EQ(s.GetPixel(c.end - 1, 10), kFillLower);
    EXPECT_EQ(s.GetPixel(c.end, 10), kTrackLower);
}

INSTANTIATE_TEST_SUITE_P(ProgressBarPaint, FillLengthTest,
                         ::testing::Values(FillCase{200, 0, 50, 100, 100},
                                           FillCase{201, 0, 50, 100, 100},  // 100.5 -> 100
                                           FillCase{203, 0, 50, 100, 102},  // 101.5 -> 102
                                           FillCase{200, 0, 1, 3, 67},
                                           FillCase{200, 50, 50, 100, 100}));  // Min ignored

TEST(ProgressBarPaint, ValueZeroDrawsNoFill) {
    ProgressBarState state = Bar();
    state.Value = 0;
    const Surface s = Paint(state, 200, 20);
    EXPECT_EQ(s.GetPixel(1, 10), kTrackLower);
    EXPECT_EQ(s.GetPixel(1, 5), RGBColour(228, 231, 228));
}

TEST(ProgressBarPaint, VerticalBarFillsFromTheTopInLeftAndRightHalves) {
    ProgressBarState state = Bar();
    state.Orientations = 2;
    state.Value = 25;
    const Surface s = Paint(state, 20, 200);  // fill rows 0..49; halves at column 10
    EXPECT_EQ(s.GetPixel(10, 49), kFillLower);
    EXPECT_EQ(s.GetPixel(10, 50), kTrackLower);
    EXPECT_EQ(s.GetPixel(5, 20), RGBColour(165, 253, 165));
    EXPECT_EQ(s.GetPixel(5, 100), RGBColour(228, 231, 228));
}

TEST(ProgressBarPaint, DisabledBarIsGrey) {
    ProgressBarState state = Bar();
    state.Enabled = false;
    const Surface s = Paint(state, 200, 20);
    EXPECT_EQ(state.Palette[8], RGBColour(233, 233, 233));
    EXPECT_EQ(s.GetPixel(50, 10), RGBColour(94, 94, 94));
    EXPECT_EQ(s.GetPixel(150, 10), RGBColour(183, 183, 183));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 200; ++x) {
            const Colour c = s.GetPixel(x, y);
            ASSERT_TRUE(GetRed(c) == GetGreen(c) && GetGreen(c) == GetBlue(c)) << x << "," << y;
        }
    }
}

TEST(ProgressBarPaint, UnknownThemeKeepsThePalette) {
    ProgressBarState state = Bar();
    state.Theme = 11;
    Paint(state, 40, 10);
    EXPECT_EQ(state.Palette, decltype(state.Palette){});  // a new bar's palette is all black

    state.Theme = 9;
    Paint(state, 40, 10);
    state.Theme = 0;
    state.Enabled = false;
    Paint(state, 40, 10);
    EXPECT_EQ(state.Palette[12], RGBColour(94, 94, 94));
}

TEST(ProgressBarPaint, CustomThemeLightensItsTwoColours) {
    ProgressBarState state = Bar();
    state.Theme = 10;
    state.PBSCustomeColor1 = RGBColour(200, 0, 0);
    state.PBSCustomeColor2 = RGBColour(0, 0, 100);
    const Surface s = Paint(state, 200, 20);
    EXPECT_EQ(state.Palette[8], RGBColour(255, 180, 180));
    EXPECT_EQ(state.Palette[10], RGBColour(250, 50, 50));
    EXPECT_EQ(state.Palette[12], RGBColour(200, 0, 0));
    EXPECT_EQ(state.Palette[14], RGBColour(255, 80, 80));
    EXPECT_EQ(state.Palette[0], RGBColour(180, 180, 255));
    EXPECT_EQ(state.Palette[1], state.Palette[0]);
    EXPECT_EQ(s.GetPixel(50, 10), RGBColour(200, 0, 0));
    EXPECT_EQ(s.GetPixel(150, 10), RGBColour(0, 0, 100));
    EXPECT_EQ(s.GetPixel(100, 0), RGBColour(0, 0, 100));  // outline
}

TEST(ProgressBarPaint, RoundedValueZeroGivesSquareCorners) {
    ProgressBarState state = Bar();
    QRegion shape;
    const Surface s = Paint(state, 30, 12, &shape);
    EXPECT_EQ(shape, QRegion(0, 0, 29, 11));
    EXPECT_EQ(s.GetPixel(0, 0), RGBColour(188, 184, 188));
    EXPECT_EQ(s.GetPixel(28, 10), RGBColour(188, 184, 188));
}

TEST(ProgressBarPaint, WindowShapeIsTheRoundedRectangle) {
    ProgressBarState state = Bar();
    state.RoundedValue = 6;
    QRegion shape;
    const Surface s = Paint(state, 12, 10, &shape);
    QRegion expected;
    const int spans[9][2] = {{2, 9},  {1, 10}, {0, 11}, {0, 11}, {0, 11},
                             {0, 11}, {0, 11}, {1, 10}, {2, 9}};
    for (int y = 0; y < 9; ++y) expected += QRect(spans[y][0], y, spans[y][1] - spans[y][0], 1);
    EXPECT_EQ(shape, expected);
    EXPECT_NE(s.GetPixel(0, 0), RGBColour(188, 184, 188));  // the outline is rounded too
    EXPECT_EQ(s.GetPixel(2, 0), RGBColour(188, 184, 188));
}

TEST(ProgressBarGradient, FourEqualCornersPaintOneColourAndNothingElse) {
    Surface s(10, 10);
    s.clear();
    const Colour c = RGBColour(10, 20, 30);
    DrawGradientFourColour(s, 2, 3, 5, 4, c, c, c, c);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 3 && y < 7;
            EXPECT_EQ(s.GetPixel(x, y), inside ? c : 0u) << x << "," << y;
        }
    }
}

TEST(ProgressBarGradient, FourColourRowsApproachButNeverReachTheRightColour) {
    Surface s(3, 1);
    DrawGradientFourColour(s, 0, 0, 3, 1, 0, RGBColour(255, 255, 255), 0, 0);
    EXPECT_EQ(s.GetPixel(0, 0), RGBColour(0, 0, 0));
    EXPECT_EQ(s.GetPixel(1, 0), RGBColour(85, 85, 85));
    EXPECT_EQ(s.GetPixel(2, 0), RGBColour(170, 170, 170));
}

TEST(ProgressBarGradient, FourColourHeightZeroDrawsNothingAndWidthZeroFails) {
    Surface s(8, 8);
    s.clear();
    const QImage before = s.image();
    DrawGradientFourColour(s, 0, 0, 8, 0, 0xFF, 0xFF, 0xFF, 0xFF);
    EXPECT_EQ(s.image(), before);
    EXPECT_THROW(DrawGradientFourColour(s, 0, 0, 0, 4, 0xFF, 0xFF, 0xFF, 0xFF),
                 std::invalid_argument);
}

TEST(ProgressBarColours, SixteenBitChannelsAndRampsRoundHalfToEven) {
    EXPECT_EQ(ToColour16(32767), 32767);
    EXPECT_EQ(ToColour16(32768), -32768);
    EXPECT_EQ(ToColour16(0xFF00), -256);

    std::vector<ColourTriple> ramp;
    BuildColourRamp(ramp, 2, ColourTriple{0, 0, 0}, ColourTriple{5, 255, 0});
    ASSERT_EQ(ramp.size(), 3u);
    EXPECT_EQ(ramp[1].Blue, 2);     // 2.5
    EXPECT_EQ(ramp[1].Green, 128);  // 127.5
    EXPECT_EQ(ramp[2].Green, 255);
    BuildColourRamp(ramp, 0, ColourTriple{1, 2, 3}, ColourTriple{9, 9, 9});
    ASSERT_EQ(ramp.size(), 1u);
    EXPECT_EQ(ramp[0].Red, 3);
}

}  // namespace
