// Pixel tests of the frame's painter, called directly on a surface.
#include "FramePainter.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

using namespace FramePainter;

namespace {

constexpr Colour kWhite = RGBColour(255, 255, 255);
constexpr Colour kFill = RGBColour(10, 200, 10);
constexpr Colour kBorder = RGBColour(200, 10, 10);

constexpr Colour Grey(int level) {
    return RGBColour(level, level, level);
}

FrameProperties Properties(int32_t style) {
    FrameProperties properties;
    properties.FrameStyle = style;
    properties.FillColour = kFill;
    properties.BorderColour = kBorder;
    return properties;
}

Surface Paint(const FrameProperties& properties, int width = 120, int height = 80,
              Colour host = kWhite) {
    Surface surface(width, height);
    PaintFrame(surface, properties, host);
    return surface;
}

// The same picture without the corner pass.
Surface PaintUnsmoothed(const FrameProperties& properties, int width, int height, Colour host) {
    Surface surface;
    surface.setBackColour(host);
    surface.resize(width, height);
    PaintShadowRings(surface, properties);
    PaintBody(surface, properties);
    return surface;
}

struct BlendCase {
    Colour first, second;
    int16_t steps, step;
    Colour expected;
};

class Blend : public ::testing::TestWithParam<BlendCase> {};

TEST_P(Blend, DividesBeforeMultiplyingAndTruncatesTowardsZero) {
    const BlendCase& c = GetParam();
    EXPECT_EQ(BlendColour(c.first, c.second, c.steps, c.step), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    FramePainter, Blend,
    ::testing::Values(
        // The shadow's base colour on white at opacity 50, 100 and 0: -255 / 100 is -2.
        BlendCase{0, kWhite, 100, 50, Grey(100)}, BlendCase{0, kWhite, 100, 0, Grey(0)},
        BlendCase{0, kWhite, 100, 100, Grey(200)},
        // The rings from that base to white over five steps of 31.
        BlendCase{Grey(100), kWhite, 5, 1, Grey(131)},
        BlendCase{Grey(100), kWhite, 5, 4, Grey(224)}, BlendCase{Grey(100), kWhite, 5, 5, kWhite},
        // Channels apart, and truncation towards zero for negative differences.
        BlendCase{RGBColour(255, 0, 7), RGBColour(0, 255, 7), 2, 1, RGBColour(128, 127, 7)},
        // What only a store can ask for: no steps, and steps beyond the ends.
        BlendCase{Grey(100), kWhite, 0, 0, Grey(100)}, BlendCase{0, kWhite, 100, -50, 0},
        BlendCase{kWhite, 0, 100, 150, 0}));

TEST(FramePainter, SplitColourReadsTheNumberAsSigned) {
    const PixelSample plain = SplitColour(0x00F6F0F0);
    EXPECT_EQ(plain.Red, 240);
    EXPECT_EQ(plain.Green, 240);
    EXPECT_EQ(plain.Blue, 246);
    const PixelSample invalid = SplitColour(InvalidColour);
    EXPECT_EQ(invalid.Red, 255);
    EXPECT_EQ(invalid.Green, 0);
    EXPECT_EQ(invalid.Blue, 0);
    const PixelSample reference = SplitColour(0x80000005u);  // a system-colour reference
    EXPECT_EQ(reference.Red, 5);
    EXPECT_EQ(reference.Green, 1);
    EXPECT_EQ(reference.Blue, 1);
}

TEST(FramePainter, PixelsFromTwipsRoundsToTheNearestPixelBeyondSixteenBits) {
    EXPECT_EQ(PixelsFromTwips(7335), 489);
    EXPECT_EQ(PixelsFromTwips(2715), 181);
    EXPECT_EQ(PixelsFromTwips(7), 0);
    EXPECT_EQ(PixelsFromTwips(8), 1);
    EXPECT_EQ(PixelsFromTwips(-8), -1);
    EXPECT_EQ(PixelsFromTwips(40000), 2667);
}

struct BandCase {
    int32_t style;
    int16_t opacity;
    std::array<int, 5> band;  // grey levels of the visible rings, inside to outside
};

class ShadowBand : public ::testing::TestWithParam<BandCase> {};

// On white with depth 5 the rings are the base colour plus whole steps towards white; ring 0
// lies under the body's border, rings 1 to 5 form the visible band.
TEST_P(ShadowBand, RingColoursAcrossTheRightAndBottomBand) {
    const BandCase& c = GetParam();
    FrameProperties properties = Properties(c.style);
    properties.ShadowOpacity = c.opacity;
    const Surface surface = Paint(properties);
    for (int ring = 1; ring <= 5; ++ring) {
        EXPECT_EQ(surface.GetPixel(120 - 6 + ring, 40), Grey(c.band[ring - 1])) << ring;
        EXPECT_EQ(surface.GetPixel(60, 80 - 6 + ring), Grey(c.band[ring - 1])) << ring;
    }
    // The body: its border along the band, its fill inside, the background above the band.
    EXPECT_EQ(surface.GetPixel(114, 40), kBorder);
    EXPECT_EQ(surface.GetPixel(60, 74), kBorder);
    EXPECT_EQ(surface.GetPixel(60, 40), kFill);
    EXPECT_EQ(surface.GetPixel(117, 2), kWhite);
}

INSTANTIATE_TEST_SUITE_P(
    FramePainter, ShadowBand,
    ::testing::Values(
        BandCase{1, 50, {131, 162, 193, 224, 255}}, BandCase{0, 50, {131, 162, 193, 224, 255}},
        BandCase{1, 100, {51, 102, 153, 204, 255}}, BandCase{1, 0, {211, 222, 233, 244, 255}},
        // Stored opacities the setter would have clamped paint as its limits.
        BandCase{1, 150, {51, 102, 153, 204, 255}}, BandCase{1, -20, {211, 222, 233, 244, 255}}));

TEST(FramePainter, TheBackgroundIsTheOwnColourOnlyWhenAskedFor) {
    FrameProperties properties = Properties(1);
    properties.BackColour = Grey(50);
    EXPECT_EQ(Paint(properties).GetPixel(119, 0), kWhite);
    properties.BackColourIs = -1;
    EXPECT_EQ(Paint(properties).GetPixel(119, 0), Grey(50));
}

class NoFrame : public ::testing::TestWithParam<int32_t> {};

TEST_P(NoFrame, OtherStylesShowOnlyTheBackground) {
    const Surface surface = Paint(Properties(GetParam()), 40, 30, Grey(77));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(surface.GetPixel(x, y), Grey(77)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(FramePainter, NoFrame, ::testing::Values(2, 7, -1));

TEST(FramePainter, WithoutShadowOneShapeFillsTheControlWhateverTheShadowValues) {
    FrameProperties properties = Properties(1);
    properties.ShowShadow = false;
    const Surface surface = Paint(properties);
    EXPECT_EQ(surface.GetPixel(0, 0), kBorder);
    EXPECT_EQ(surface.GetPixel(119, 40), kBorder);
    EXPECT_EQ(surface.GetPixel(60, 79), kBorder);
    EXPECT_EQ(surface.GetPixel(118, 78), kFill);

    properties.ShadowDepth = 40;
    properties.ShadowOpacity = 0;
    EXPECT_EQ(Paint(properties).image(), surface.image());
}

struct StoredDepthCase {
    int16_t stored;
    bool shadow;        // painted with a shadow at all
    int16_t paintedAs;  // the depth it looks like
};

class StoredShadowDepth : public ::testing::TestWithParam<StoredDepthCase> {};

// Depths below 1 would blend over zero steps; above 50 they only come from a hand-made store.
TEST_P(StoredShadowDepth, PaintsAsASafeDepth) {
    const StoredDepthCase& c = GetParam();
    FrameProperties stored = Properties(0);
    stored.ShadowDepth = c.stored;
    FrameProperties reference = Properties(0);
    reference.ShowShadow = c.shadow;
    reference.ShadowDepth = c.paintedAs;
    EXPECT_EQ(Paint(stored).image(), Paint(reference).image());
}

INSTANTIATE_TEST_SUITE_P(FramePainter, StoredShadowDepth,
                         ::testing::Values(StoredDepthCase{0, false, 5},
                                           StoredDepthCase{-3, false, 5},
                                           StoredDepthCase{1000, true, 50},
                                           StoredDepthCase{32767, true, 50}));

// Depth 45 steps by (255 - 100) / 45 = 3, so even the outermost ring stays short of white.
TEST(FramePainter, AStoredDepthInsideTheSetterGapIsPaintedAsItStands) {
    FrameProperties stored = Properties(1);
    stored.ShadowDepth = 45;
    const Surface surface = Paint(stored, 300, 200);
    EXPECT_EQ(surface.GetPixel(254, 100), kBorder);
    EXPECT_EQ(surface.GetPixel(255, 100), Grey(103));
    EXPECT_EQ(surface.GetPixel(299, 100), Grey(235));
}

// Only the rounded style smooths: the rectangular one shows nothing but the background, the
// body and the ring colours.
TEST(FramePainter, TheRectangularStyleHasNoSmoothingPass) {
    std::set<Colour> shapeColours = {kWhite, kFill, kBorder};
    for (int ring = 0; ring <= 5; ++ring) shapeColours.insert(Grey(100 + 31 * ring));
    const auto foreign = [&](const Surface& surface) {
        int count = 0;
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                count += shapeColours.count(surface.GetPixel(x, y)) == 0 ? 1 : 0;
        return count;
    };
    EXPECT_EQ(foreign(Paint(Properties(1))), 0);
    EXPECT_GT(foreign(Paint(Properties(0))), 0);
}

// The frame of the main window: every pixel the corner pass changes lies in one of its three
// regions and was background before the pass.
TEST(FramePainter, SmoothingChangesOnlyBackgroundPixelsInItsThreeRegions) {
    const int width = 489, height = 181, corner = 10, depth = 5;
    const Colour host = RGBColour(240, 240, 244);
    FrameProperties properties = Properties(0);
    properties.FillColour = RGBColour(240, 240, 246);
    properties.BorderColour = Grey(192);
    const Surface smoothed = Paint(properties, width, height, host);
    const Surface plain = PaintUnsmoothed(properties, width, height, host);
    const auto within = [](int value, int from, int to) { return value >= from && value <= to; };
    int changed = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (smoothed.GetPixel(x, y) == plain.GetPixel(x, y)) continue;
            ++changed;
            const bool rightColumns = within(x, width - 2 * corner, width - 3);
            const bool bottomRows = within(y, height - 2 * corner, height - 3);
            EXPECT_TRUE((rightColumns && bottomRows) ||
                        (rightColumns && within(y, depth, 4 * depth)) ||
                        (within(x, depth, 4 * depth) && bottomRows))
                << x << "," << y;
            EXPECT_EQ(plain.GetPixel(x, y), host) << x << "," << y;
        }
    EXPECT_GT(changed, 0);
}

TEST(FramePainter, SmoothingAveragesNeighboursInPlaceWithTiesToEven) {
    // 12 x 12, corner 3 and depth 1: regions x 6..9 y 6..9, x 6..9 y 1..4, x 1..4 y 6..9.
    Surface surface;
    surface.setBackColour(Grey(100));
    surface.resize(12, 12);
    surface.setBackColour(kWhite);
    // Two gaps one above the other: the lower one sees the upper one's new colour.
    surface.SetPixelV(7, 7, kWhite);
    surface.SetPixelV(7, 8, kWhite);
    // A gap under a red pixel: channels apart.
    surface.SetPixelV(2, 6, RGBColour(255, 0, 0));
    surface.SetPixelV(2, 7, kWhite);
    // Averages of 100.5 and 101.5.
    surface.SetPixelV(8, 1, Grey(102));
    surface.SetPixelV(8, 2, kWhite);
    surface.SetPixelV(9, 4, Grey(106));
    surface.SetPixelV(8, 4, kWhite);
    // A gap outside every region.
    surface.SetPixelV(5, 5, kWhite);

    SmoothShadowCorners(surface, 3, 1);
    EXPECT_EQ(surface.GetPixel(7, 7), Grey(139));  // (3 * 100 + 255) / 4 = 138.75
    EXPECT_EQ(surface.GetPixel(7, 8), Grey(110));  // (139 + 3 * 100) / 4 = 109.75
    EXPECT_EQ(surface.GetPixel(2, 7), RGBColour(139, 75, 75));
    EXPECT_EQ(surface.GetPixel(8, 2), Grey(100));
    EXPECT_EQ(surface.GetPixel(8, 4), Grey(102));
    EXPECT_EQ(surface.GetPixel(5, 5), kWhite);
}

struct SmallCornerCase {
    int16_t corner;
    bool sameAsRectangle;
};

class SmallCorner : public ::testing::TestWithParam<SmallCornerCase> {};

// Corners 0 and 1 give square shapes and empty smoothing regions; corner 2 still draws square
// shapes but its regions are two pixels wide and smooth the outermost ring where it is white.
TEST_P(SmallCorner, RoundedStyleWithTinyCornersIsTheRectangle) {
    FrameProperties rounded = Properties(0);
    rounded.CornerDepth = GetParam().corner;
    const bool same = Paint(rounded).image() == Paint(Properties(1)).image();
    EXPECT_EQ(same, GetParam().sameAsRectangle);
}

INSTANTIATE_TEST_SUITE_P(FramePainter, SmallCorner,
                         ::testing::Values(SmallCornerCase{0, true}, SmallCornerCase{1, true},
                                           SmallCornerCase{2, false}));

class LargeCorner : public ::testing::TestWithParam<int16_t> {};

// A corner larger than half the control puts the smoothing regions across its edges; nothing
// read beyond an edge (the invalid colour, which splits into pure red) may tint the picture.
TEST_P(LargeCorner, SmoothingStaysOnTheSurface) {
    FrameProperties properties = Properties(0);
    properties.FillColour = Grey(230);
    properties.BorderColour = Grey(90);
    properties.CornerDepth = GetParam();
    const Surface surface = Paint(properties, 60, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const Colour c = surface.GetPixel(x, y);
            ASSERT_TRUE((c & 0xFF) == ((c >> 8) & 0xFF) && (c & 0xFF) == (c >> 16))
                << x << "," << y << " " << std::hex << c;
        }
}

INSTANTIATE_TEST_SUITE_P(FramePainter, LargeCorner, ::testing::Values(25, 50, 32767, -40));

// Sizes beyond 16 bits: the body's right border and the band still sit at the right edge.
TEST(FramePainter, AControlWiderThan32767PixelsPaintsItsRightEdge) {
    const Surface surface = Paint(Properties(1), 33000, 30);
    EXPECT_EQ(surface.GetPixel(33000 - 6, 15), kBorder);
    EXPECT_EQ(surface.GetPixel(33000 - 5, 15), Grey(131));
    EXPECT_EQ(surface.GetPixel(33000 - 1, 15), kWhite);
    EXPECT_EQ(surface.GetPixel(16500, 15), kFill);
}

}  // namespace
